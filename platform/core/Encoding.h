// Text encoding at the edge of device records and files: the device and files written by the
// older ANSI program hold GBK bytes, the program keeps UTF-8 CStrings. Nothing here throws or
// crashes on bad input: undecodable bytes become U+FFFD (reading) or '?' (writing).
#pragma once

#include "platform/core/String.h"

#include <cstddef>
#include <string>

// GBK bytes (NULs included) to UTF-8. Bytes that are not GBK, and a lead byte cut off by the end,
// become U+FFFD each.
CString GbkToUtf8(const char* data, std::size_t len);
CString GbkToUtf8(const std::string& gbk);

// UTF-8 to GBK bytes. An invalid UTF-8 byte becomes '?'; a character GBK cannot hold becomes the
// full-width question mark (two bytes, like every other non-ASCII character).
std::string Utf8ToGbk(const CString& utf8);

// Width of the text in GBK bytes (ASCII 1, every GBK double-byte character 2).
int GbkByteLength(const CString& utf8);

enum class FieldOverflow {
    Refuse,   // the field keeps its old bytes
    Truncate, // the longest prefix of whole characters is written
};

// Writes `text` as GBK into the fixed-width field [field, field + width). The text may use at most
// `capacity` bytes; the default width - 1 keeps the last byte a NUL (preset names: 16-byte field,
// at most 15 text bytes), pass width for fields that may be full without a NUL. Bytes after the
// text become `pad`. A double-byte character is never split. Returns true when the whole text fit.
bool WriteGbkField(void* field, int width, const CString& text,
                   FieldOverflow overflow = FieldOverflow::Refuse, int capacity = -1, char pad = '\0');

// Reads a GBK field of at most maxBytes bytes, stopping at the first NUL, as UTF-8 (not trimmed).
// A double-byte character cut by the end of the field is left out.
CString ReadGbkField(const void* field, int maxBytes);

// Field widths of the model's name fields.
inline constexpr int kPresetNameFieldWidth = 16;
inline constexpr int kChannelNameFieldWidth = 8;
