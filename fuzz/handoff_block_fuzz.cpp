// Reading a received hand-off block of any size and content in either form, and building one
// from any text. The input's first byte chooses dwData (even: 0, odd: the UTF-16 form's tag);
// the rest is the block, in a heap buffer of exactly cbData bytes. Checks:
// - a block of the UTF-16 form (the tag, an even cbData) reads as its units up to the first
//   NUL unit, or all of them: no NUL, at most cbData / 2 units;
// - any other block reads as its bytes up to the first NUL, or all of them, converted from
//   the code page;
// - NULL data reads as the empty text whatever cbData says;
// - a block built from any text (the text read, and the rest of the input as UTF-16 units)
//   reads back as that text up to its first NUL: in the code page form, of the agreed size
//   (257, or length + 1 when longer) and zero after the text, exactly when the code page
//   holds the text; otherwise in the UTF-16 form, its units and one NUL unit.
#include "args/handoff.h"
#include "fuzz_support.h"

namespace {

using qm::fuzz::check;

void roundTrip(std::u16string_view text, const qm::CodePage& cp) {
    const std::u16string_view sent = qm::fuzz::upToNul(text);
    const qm::HandoffBlock block = qm::buildHandoff(text, cp);
    const std::optional<std::string> bytes = cp.exactBytes(sent);
    if (block.tag == 0) {
        check(bytes.has_value(), "a text the code page lacks went in the code page form");
        check(block.bytes.size() == std::max(qm::kMinHandoffBlockSize, bytes->size() + 1), "built block size");
        check(std::string_view(block.bytes.data(), bytes->size()) == *bytes, "the built block lost the text");
        for (std::size_t i = bytes->size(); i < block.bytes.size(); ++i) check(block.bytes[i] == '\0', "not zero");
    } else {
        check(block.tag == qm::kWideHandoffTag, "an unknown tag");
        check(!bytes.has_value(), "a text the code page holds went in the UTF-16 form");
        check(block.bytes.size() == 2 * (sent.size() + 1), "built UTF-16 block size");
    }
    const qm::fuzz::ExactBytes copy(reinterpret_cast<const std::uint8_t*>(block.bytes.data()), block.bytes.size());
    check(qm::readHandoff(block.tag, copy.data(), copy.size(), cp) == sent, "the built block reads back changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const qm::Cp932Model cp;
    const std::uintptr_t dwData = data[0] % 2 == 0 ? 0 : qm::kWideHandoffTag;
    const qm::fuzz::ExactBytes block(data + 1, size - 1);
    const std::u16string text = qm::readHandoff(dwData, block.data(), block.size(), cp);

    if (dwData == qm::kWideHandoffTag && block.size() % 2 == 0) {
        check(text.find(u'\0') == std::u16string::npos, "the UTF-16 text holds a NUL");
        check(text.size() <= block.size() / 2, "the UTF-16 text is longer than the block");
        const std::u16string units = qm::fuzz::readings(data + 1, size - 1, cp)[0];
        check(text == qm::fuzz::upToNul(units), "the UTF-16 text is not the block's units up to a NUL");
    } else {
        check(text == cp.toUtf16(qm::fuzz::upToNul(block.view())), "the text is not the block's start converted");
    }
    check(qm::readHandoff(dwData, nullptr, block.size(), cp).empty(), "NULL data reads as text");

    roundTrip(text, cp);
    roundTrip(qm::fuzz::readings(data + 1, size - 1, cp)[0], cp);

    // The code page form built from the block's bytes as they are.
    const std::string_view bytes = qm::fuzz::upToNul(block.view());
    const std::vector<char> built = qm::buildHandoffBlock(block.view());
    check(built.size() == std::max(qm::kMinHandoffBlockSize, bytes.size() + 1), "built block size");
    check(std::string_view(built.data(), bytes.size()) == bytes, "the built block lost the text");
    for (std::size_t i = bytes.size(); i < built.size(); ++i) check(built[i] == '\0', "not zero");
    return 0;
}
