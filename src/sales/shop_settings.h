#pragma once
// The shop's settings, kavro-shop.txt beside the day files: what a receipt needs to be a
// simplified qualified invoice (the shop's name and registration number), the receipt
// paper, and the manager's PIN as a hash. Replaced atomically; a file with any bad line is
// refused as a whole, so nothing ever runs on half a file.
//
// Format 1. UTF-8 text (a byte-order mark is skipped), lines ended by LF or CR LF:
//
//   # kavro shop settings, format 1
//   name=ホテル カブロ
//   registration=T1234567890123
//   paper=80mm
//   pin=$argon2id$v=19$m=65536,t=2,p=1$...
//
// - The first line is kShopSettingsHeader; a later format is refused, never overwritten
//   by this program without the manager saying so.
// - Then one setting per line, key=value; blanks around either are dropped. Blank lines
//   and lines starting with # are passed over (the program writes none of its own). Each
//   key at most once; an unknown key is an error, so that a misspelt one is not silently
//   without effect.
// - name: the shop's name as printed, 1 to 40 characters. registration: "T" and 13
//   digits (see registration_number.h). paper: A5, A4, 58mm or 80mm (the roll widths).
//   pin: the hash of manager_pin.h. A setting that is not there is not set (the paper is
//   then A5).
#include "core/storage/atomic_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavro {

inline constexpr std::string_view kShopSettingsFileName = "kavro-shop.txt";
inline constexpr std::string_view kShopSettingsHeader = "# kavro shop settings, format 1";
inline constexpr unsigned kShopSettingsMode = 0600; // it holds the PIN's hash

enum class ReceiptPaper { A5, A4, Roll58, Roll80 };
std::string_view paperCode(ReceiptPaper paper); // as the file writes it
std::optional<ReceiptPaper> paperFromCode(std::string_view code);

struct ShopSettings {
    std::string name;         // empty: not set
    std::string registration; // empty: the shop issues no qualified invoices
    ReceiptPaper paper = ReceiptPaper::A5;
    std::string pinHash; // empty: no PIN set yet

    friend bool operator==(const ShopSettings&, const ShopSettings&) = default;
};

struct ShopSettingsParse {
    ShopSettings settings;            // the defaults when there are errors
    std::vector<std::string> errors;  // "3行目: ..." (Japanese): the file is refused
    std::vector<std::string> notices; // worth a look, not refused (a check digit)
};
ShopSettingsParse parseShopSettings(std::string_view bytes);
std::string renderShopSettings(const ShopSettings& settings);

// A missing file gives the defaults without an error.
ShopSettingsParse readShopSettings(const std::filesystem::path& dir);
// Refuses settings that would not read back (the errors' text, Japanese).
std::optional<std::string> writeShopSettings(const std::filesystem::path& dir,
                                             const ShopSettings& settings,
                                             const FileOps& ops = posixFileOps());

} // namespace kavro
