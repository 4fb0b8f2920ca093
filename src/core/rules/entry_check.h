#pragma once
// The checks every registration makes on the entry panel before anything is written.
#include <optional>
#include <string>
#include <string_view>

namespace kavro {

// The panel's texts as the user left them.
struct EntryFields {
    std::string people; // peopleBox
    std::string start;  // startEdit
    std::string unit;   // unitBox
    std::string end;    // endEdit
    std::string room;   // roomBox
    std::string name;   // nameEdit
};

enum class EntryProblem {
    None,
    StartTime, // empty, the marker, or not a time "hh:nn"
    EndTime,
    NameEmpty,
    Room,          // not exactly three digits naming 001-034
    Unit,          // not a positive number of hours (at most one day)
    People,        // not a whole number of at least 1
    NameCharacter, // a character the day file cannot hold; see `character`
};

struct EntryCheck {
    EntryProblem problem = EntryProblem::None;
    std::string character; // the offending character of the name
    bool ok() const { return problem == EntryProblem::None; }
};

// The checks in the order the user meets them: times, name, room, unit, people, then the
// name's characters.
EntryCheck checkEntry(const EntryFields& fields);

// The first character of a name that cannot be stored: the field separator ",", a control
// character, or a character the day file's encoding (CP932) cannot hold.
std::optional<std::string> unusableNameCharacter(std::string_view name);

// "U+002C": how a character is named in a message, for characters the screen may not show.
std::string codePointLabel(std::string_view utf8Character);

// One of the five status words.
bool isStatusWord(std::string_view text);

} // namespace kavro
