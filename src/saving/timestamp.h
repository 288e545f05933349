#pragma once

namespace clipnest {

class Control;
class RegionalClock;

// The timestamp rule: the time text goes to `time_text` (a 7-character time gets a leading "0"),
// then `timestamp` gets date + "-" + hours + "." + minutes + "." + seconds, taken from
// characters 1-2, 4-5 and 7-8 of the time text, with "." for every character that cannot stand
// in a Windows file name.
void MakeTimestamp(Control& time_text, Control& timestamp, RegionalClock& clock);

}  // namespace clipnest
