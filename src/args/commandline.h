// Splitting a command line into arguments, the way the program reads its command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The arguments after the program's own path (arguments 1 to count), read from the UTF-16
// text up to its first NUL, unit by unit (no half of a surrogate pair is a blank or a quote,
// so a pair stays whole; as no byte of a code page 932 character is a blank or a quote
// either, the rule reads a line the code page holds as it reads its bytes):
// - a blank is any character with a code from 1 to 32 (space, tab, control characters);
// - at the start of an argument blanks are skipped, and two double quotes in a row are
//   skipped too, after which that step repeats;
// - a double quote opens a stretch, taken as it is (blanks included) up to the next double
//   quote or the end of the text; both quotes are dropped and the argument goes on;
// - there is no escape character: a backslash before a quote is an ordinary character;
// - the first argument read is the program's path and is left out; the list ends at the first
//   argument that comes out empty (which only happens at the end of the text).
std::vector<std::u16string> splitCommandLine(std::u16string_view commandLine);

}  // namespace qm
