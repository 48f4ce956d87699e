// The text rules every written report keeps, whatever the data inside: well-formed UTF-8 and no raw
// control characters. Shared by the end-to-end tests and the report fuzz target.
#pragma once

#include <string>
#include <string_view>

// "" when `text` is well-formed UTF-8 (no overlong forms, surrogates or code points beyond
// U+10FFFF) holding no C0 control but tab, line feed and carriage return; with `withC1`, no DEL
// and no U+0080..U+009F either. Otherwise what is wrong and at which byte, e.g. "a raw control
// character (0x1B) at byte 12".
std::string CheckReportText(std::string_view text, bool withC1);
