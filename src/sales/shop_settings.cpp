#include "sales/shop_settings.h"

#include "core/storage/day_file.h"
#include "sales/code_table.h"
#include "sales/manager_pin.h"
#include "sales/plain_text.h"
#include "sales/registration_number.h"

#include <array>
#include <cerrno>
#include <sys/stat.h>

namespace kavro {

namespace {

constexpr CodeRow<ReceiptPaper> kPapers[] = {
    {ReceiptPaper::A5, "A5"},
    {ReceiptPaper::A4, "A4"},
    {ReceiptPaper::Roll58, "58mm"},
    {ReceiptPaper::Roll80, "80mm"},
};

constexpr std::string_view kFileNoun = "店の設定ファイル（kavro-shop.txt）";
constexpr std::string_view kFormatPrefix = "# kavro shop settings, format ";
constexpr std::size_t kMaxNameCharacters = 40;
constexpr std::array<std::string_view, 4> kKeys = {"name", "registration", "paper", "pin"};

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Why a value cannot stand for its key; none when it can.
std::optional<std::string> valueProblem(std::string_view key, std::string_view value) {
    if (key == "name" && !isPlainText(value, kMaxNameCharacters))
        return "店名は40文字までの1行で入力してください";
    if (key == "registration" && checkRegistrationNumber(value) == RegistrationCheck::BadForm)
        return "登録番号は T に続く13桁の数字です";
    if (key == "paper" && !paperFromCode(value))
        return "用紙は A5, A4, 58mm, 80mm のどれかです";
    if (key == "pin" && !looksLikePinHash(value))
        return "暗証番号の記録が正しくありません（暗証番号を設定し直してください）";
    return std::nullopt;
}

std::string atLine(int line, std::string_view text) {
    return std::to_string(line) + "行目: " + std::string(text);
}

std::string* fieldOf(ShopSettings& s, std::string_view key) {
    if (key == "name")
        return &s.name;
    if (key == "registration")
        return &s.registration;
    if (key == "pin")
        return &s.pinHash;
    return nullptr;
}

} // namespace

std::string_view paperCode(ReceiptPaper paper) { return codeIn(kPapers, paper); }
std::optional<ReceiptPaper> paperFromCode(std::string_view code) { return valueIn(kPapers, code); }

ShopSettingsParse parseShopSettings(std::string_view bytes) {
    ShopSettingsParse out;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::array<int, kKeys.size()> seenAt{};
    int lineNumber = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', pos), bytes.size());
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (lineNumber == 1) {
            if (line.substr(0, kFormatPrefix.size()) == kFormatPrefix &&
                line != kShopSettingsHeader)
                out.errors.push_back(atLine(1, "新しい版のプログラムの形式のため読み込めません"));
            else if (line != kShopSettingsHeader)
                out.errors.push_back(atLine(1, "店の設定ファイルの見出しがありません"));
            continue;
        }
        if (trimmed(line).empty() || trimmed(line).front() == '#')
            continue;
        const std::size_t eq = line.find('=');
        const std::string_view key = trimmed(line.substr(0, eq));
        const std::string_view value =
            eq == std::string_view::npos ? std::string_view() : trimmed(line.substr(eq + 1));
        std::size_t k = 0;
        while (k < kKeys.size() && kKeys[k] != key)
            ++k;
        if (eq == std::string_view::npos)
            out.errors.push_back(atLine(lineNumber, "「項目=値」の形ではありません"));
        else if (k == kKeys.size())
            out.errors.push_back(
                atLine(lineNumber, "知らない項目「" + std::string(key) + "」です"));
        else if (seenAt[k] != 0)
            out.errors.push_back(atLine(lineNumber, "「" + std::string(key) + "」は" +
                                                        std::to_string(seenAt[k]) +
                                                        "行目にもあります"));
        else if (auto problem = valueProblem(key, value))
            out.errors.push_back(atLine(lineNumber, *problem));
        else {
            seenAt[k] = lineNumber;
            if (std::string* field = fieldOf(out.settings, key))
                *field = std::string(value);
            else
                out.settings.paper = *paperFromCode(value);
            if (key == "registration" &&
                checkRegistrationNumber(value) == RegistrationCheck::CheckDigitDiffers)
                out.notices.push_back(atLine(
                    lineNumber, "登録番号の先頭の数字が法人番号の検査用数字と合いません。"
                                "番号を確かめてください（個人事業者の番号なら問題ありません）"));
        }
    }
    if (lineNumber == 0)
        out.errors.push_back(atLine(1, "店の設定ファイルが空です"));
    if (!out.errors.empty())
        out.settings = ShopSettings{};
    return out;
}

std::string renderShopSettings(const ShopSettings& s) {
    std::string out = std::string(kShopSettingsHeader) + "\n";
    if (!s.name.empty())
        out += "name=" + s.name + "\n";
    if (!s.registration.empty())
        out += "registration=" + s.registration + "\n";
    out += "paper=" + std::string(paperCode(s.paper)) + "\n";
    if (!s.pinHash.empty())
        out += "pin=" + s.pinHash + "\n";
    return out;
}

ShopSettingsParse readShopSettings(const std::filesystem::path& dir) {
    std::string bytes;
    const int err = readRegularFile(dir / kShopSettingsFileName, bytes);
    if (err == ENOENT)
        return {};
    if (err != 0)
        return {
            {}, {fileErrorText((std::string(kFileNoun) + "を読み込めません").c_str(), err)}, {}};
    return parseShopSettings(bytes);
}

std::optional<std::string> writeShopSettings(const std::filesystem::path& dir,
                                             const ShopSettings& settings, const FileOps& ops) {
    const std::string bytes = renderShopSettings(settings);
    const ShopSettingsParse back = parseShopSettings(bytes);
    if (!back.errors.empty() || back.settings != settings) {
        std::string text = "この設定は保存できません";
        for (const std::string& e : back.errors)
            text += "\r\n" + e.substr(e.find(' ') + 1);
        if (back.errors.empty())
            text += "\r\n店名の前後に空白は使えません";
        return text;
    }
    // The file holds the PIN's hash: readable by the desk's account alone. The replacement
    // keeps the mode of the file it replaces, so an existing file is narrowed first and a
    // new one right after it appears.
    const std::filesystem::path path = dir / kShopSettingsFileName;
    ::chmod(path.c_str(), kShopSettingsMode);
    auto refused = replaceFileAtomically(path, bytes, ops);
    if (!refused)
        ::chmod(path.c_str(), kShopSettingsMode);
    return refused;
}

} // namespace kavro
