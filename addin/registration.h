// The registration table of the worksheet functions and the string list that xlAutoOpen registers from it.
#ifndef BRIMWATER_ADDIN_REGISTRATION_H
#define BRIMWATER_ADDIN_REGISTRATION_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace brimwater::addin {

// One entry of a registration record: Excel's type letter ('R' value record, 'B' double, 'J' 32-bit
// integer), a name and a help text. Texts are Windows-1252 bytes, as Excel reads them.
struct Entry {
  char letter;
  const char* name;
  const char* help;
};

// A record is an array of entries: the function first, then one entry per argument, ended by an entry whose
// letter is 0. A table is an array of records ended by a record that begins with letter 0.
using Record = const Entry*;

// The fifteen worksheet functions, in registration order.
extern const Record kRegistrationTable[];

// The add-in's title, length-prefixed: the category of every function and the add-in manager's name.
inline constexpr char kTitle[] =
    "\x18"
    "Brimwater V1.03 Academic";

// Limits of one record: arguments, and the buffers in which its type text and argument text are built.
inline constexpr std::size_t kMaxArguments = 30;
inline constexpr std::size_t kTypeTextBuffer = 32;
inline constexpr std::size_t kArgumentTextBuffer = 256;

// Excel 97-2003 passes at most 30 arguments to xlfRegister: 10 fixed ones and 20 argument helps. The 32-bit
// add-in keeps to that; the 64-bit one registers every help.
inline constexpr std::size_t kArgumentHelpCap32 = 20;
inline constexpr std::size_t kArgumentHelpCap = sizeof(void*) == 4 ? kArgumentHelpCap32 : kMaxArguments;

// The longest text a length-prefixed string can hold.
inline constexpr std::size_t kMaxStringLength = 255;

// The strings of one function's registration, in the order xlfRegister takes them.
struct FunctionStrings {
  std::string procedure;     // the exported name, also shown in the worksheet
  std::string typeText;      // result letter then argument letters, for example "RBBJ"
  std::string argumentText;  // argument names joined by ",", for example "P,H,formulation"
  std::string functionHelp;
  std::vector<std::string> argumentHelps;
};

using StringList = std::vector<FunctionStrings>;

// Builds the string list from a table. At most `argumentHelpCap` argument helps are kept per function; when
// a record has more, the last kept help gets ", etc." appended. Returns nothing when a record has more than
// kMaxArguments arguments or a text does not fit a length-prefixed string.
std::optional<StringList> BuildStringList(const Record* table, std::size_t argumentHelpCap);

}  // namespace brimwater::addin

#endif  // BRIMWATER_ADDIN_REGISTRATION_H
