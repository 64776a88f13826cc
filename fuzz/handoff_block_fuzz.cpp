// Reading a received hand-off block of any size and content, and building one from any text.
// The block lies in a heap buffer of exactly cbData bytes. Checks:
// - the text read is the block's bytes up to its first NUL, or all of them without one;
// - NULL data reads as the empty text whatever cbData says;
// - a block built from the text has the agreed size (257, or length + 1 when longer), holds
//   the text, then zeros, and reads back as the same text.
#include "args/handoff.h"
#include "fuzz_support.h"

using qm::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::fuzz::ExactBytes block(data, size);
    const std::string text = qm::readHandoffBlock(block.data(), block.size());

    check(text.size() <= size, "the text is longer than the block");
    check(text.find('\0') == std::string::npos, "the text holds a NUL");
    check(std::string_view(block.data(), text.size()) == text, "the text is not the block's start");
    check(text.size() == size || block.data()[text.size()] == '\0', "the text stops before a NUL");
    check(qm::readHandoffBlock(nullptr, size).empty(), "NULL data reads as text");

    const std::vector<char> built = qm::buildHandoffBlock(text);
    check(built.size() == std::max(qm::kMinHandoffBlockSize, text.size() + 1), "built block size");
    check(std::string_view(built.data(), text.size()) == text, "the built block lost the text");
    for (std::size_t i = text.size(); i < built.size(); ++i) check(built[i] == '\0', "not zero");
    check(qm::readHandoffBlock(built.data(), built.size()) == text, "the built block reads back");
    return 0;
}
