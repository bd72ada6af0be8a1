#pragma once

#include <string>
#include <string_view>

namespace trawl {

// UTF-16 as UTF-8, where a surrogate without its pair is kept as its own
// three bytes rather than replaced: a stored value read this way and
// written back is the same units, whatever it holds.
std::string Wtf8FromUtf16(std::u16string_view text);
// Back again; a byte no sequence explains becomes U+FFFD.
std::u16string Utf16FromWtf8(std::string_view text);

} // namespace trawl
