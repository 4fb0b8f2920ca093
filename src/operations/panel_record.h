#pragma once
// The record on the entry panel as notification and settlement write it back.
#include <string>
#include <string_view>

namespace kavro {

class Form1;

// ID, start and end as selected (the time boxes are not read); unit, people, room and
// name as the panel shows them now; and the new status.
std::string panelRecordLine(const Form1& form, std::string_view status);

// The name box is empty: the message, and the focus goes to the start-time box.
bool refuseEmptyName(Form1& form);

// 通知 and 清算 write the selected record back as the panel shows it: its unit, people and
// name pass the checks of 修正 (message, focus, true), and a room changed in the panel is
// refused, since a move is 修正's, with its checks of the target room.
bool refuseStatusPanel(Form1& form);

// A line the day file could not hold as one record (a "," or a character the file's code
// page lacks in a typed field, a people count or room code that is no number) is
// refused with a message, before anything changes.
bool refuseUnstorable(Form1& form, const std::string& line);

} // namespace kavro
