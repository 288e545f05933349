#pragma once

namespace clipnest {

class Form;
class RegionalClock;

// The timestamp rule: the time text goes to the panel's Text1 (a 7-character time gets a
// leading "0"), then Text2 gets date + "-" + hours + "." + minutes + "." + seconds, taken from
// characters 1-2, 4-5 and 7-8 of Text1.
void MakeTimestamp(Form& panel, RegionalClock& clock);

}  // namespace clipnest
