// Text decoding for files and names that may come from older Windows installations.
#pragma once

#include <string>
#include <string_view>

namespace wexbo {

bool IsValidUtf8(std::string_view bytes);

// Valid UTF-8 is returned as it is (a leading byte-order mark removed); anything else is read as
// Windows-1252, so that no character of an old file is lost.
std::string DecodeText(std::string_view bytes);

// One Windows-1252 byte as UTF-8 (0x80 is the euro sign, 0xFC "ü"). Bytes that code page leaves
// undefined map to the C1 control of the same number.
std::string Cp1252ToUtf8(unsigned char byte);

// Reads text character by character. Valid UTF-8 sequences are taken as they are and every other
// byte as a Windows-1252 character, so that a name from an old disk or archive (where "ü" is the
// single byte 0xFC) still yields its letters, also when only part of it is valid UTF-8.
std::u32string DecodeCharacters(std::string_view bytes);
// Appends one character as UTF-8.
void AppendUtf8(std::string& out, char32_t character);
// Splits text into lines at CR LF, LF or CR; a last line without an end is kept.
std::string_view NextLine(std::string_view& text);

// Reads a whole file as bytes; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

}  // namespace wexbo
