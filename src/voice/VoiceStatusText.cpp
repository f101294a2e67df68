#include "voice/VoiceStatusText.h"

#include <array>
#include <string_view>

namespace voice {
namespace {

struct StatusText {
    std::uint32_t code;
    std::string_view text;
};

constexpr std::array<StatusText, 21> kTexts = {{
    {0, "The conversion succeeded."},
    {5000, "A voice conversion error has occurred. The input file could not be opened for "
           "reading."},
    {5001, "A voice conversion error has occurred. The output file could not be opened for "
           "writing."},
    {5002, "A voice conversion error has occurred. The input file could not be read from."},
    {5003, "A voice conversion error has occurred. The output file could not be written to."},
    {5004, "A voice conversion error has occurred. A temporary file could not be created."},
    {5005, "A voice conversion error has occurred. No memory could be allocated for use."},
    {5006, "A voice conversion error has occurred. A file status could not be checked."},
    {512, "The wave file's format cannot be converted."},
    {43800, "The voice data is empty."},
    {43801, "The voice data has a length the codec cannot use."},
    {43802, "The codec was called with an unknown block kind."},
    {43803, "The codec could not allocate memory."},
    {43804, "The codec was called without its arguments."},
    {43805, "The codec's output area is too small."},
    {43807, "The codec was asked to continue a stream it never started."},
    {65003, "A voice conversion error has occurred. A temporary file could not be created."},
    {65005, "The voice file could not be converted from the format specified to the server "
            "format."},
    {65006, "A voice conversion error has occurred. A file status could not be checked."},
    {65010, "A voice conversion error has occurred. A file could not be copied."},
    {65017, "A voice conversion error has occurred. A temporary file could not be opened for "
            "reading."},
}};

} // namespace

std::string VoiceStatusText(VoiceStatus status) {
    const std::uint32_t code = StatusCode(status);
    for (const StatusText& t : kTexts)
        if (t.code == code)
            return std::string(t.text);
    return "An unexpected voice conversion error has occurred.\n\nThe errorcode is " +
           std::to_string(code) + ".";
}

} // namespace voice
