// Any bytes as a settings file: recognising its form never fails and decides one form; a
// file taken for UTF-8 (with its mark or without) converts to UTF-16 and back to the very
// same bytes; a file taken for unmarked UTF-8 holds a byte beyond ASCII; and a file taken
// for the code page that holds no mark is either ASCII alone or not UTF-8, and is code page
// 932 where the system's code page is UTF-8 unless it is ASCII alone. The same bytes as the
// record a rewrite leaves beside the file: read as one only when they are exactly one, and
// the file it was made from, or the one it makes, is what the record allows in the file.
#include "fuzz_support.h"
#include "settings/ini_form.h"
#include "settings/pending.h"

using qm::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qm::fuzz::ExactBytes input(data, size);
    const std::string_view bytes = input.view();
    const qm::IniForm form = qm::recogniseIniForm(bytes);
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const bool utf16Mark = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    const bool utf8Mark = bytes.size() >= 3 && bytes.substr(0, 3) == qm::kUtf8Mark;

    switch (form) {
        case qm::IniForm::Utf16Mark:
            check(utf16Mark, "UTF-16 without its mark");
            // Its units and back give the bytes (an odd last byte aside).
            check(qm::toUtf16Le(qm::fromUtf16Le(bytes)) == bytes.substr(0, size & ~std::size_t(1)),
                  "UTF-16 units changed");
            break;
        case qm::IniForm::Utf8Mark:
            check(utf8Mark && !utf16Mark, "UTF-8 mark form without the mark");
            break;
        case qm::IniForm::Utf8:
            check(!utf8Mark && !utf16Mark && !ascii && qm::isValidUtf8(bytes), "unmarked UTF-8 that is not");
            break;
        case qm::IniForm::CodePage:
            check(!utf8Mark && !utf16Mark && (ascii || !qm::isValidUtf8(bytes)), "UTF-8 taken for the code page");
            break;
        case qm::IniForm::Cp932:
            check(false, "code page 932 where the system's code page is not UTF-8");
            break;
    }
    // Where the system's code page is UTF-8, only the code page form beyond ASCII changes: it
    // is code page 932.
    const qm::IniForm underUtf8 = qm::recogniseIniForm(bytes, true);
    check(underUtf8 == (form == qm::IniForm::CodePage && !ascii ? qm::IniForm::Cp932 : form),
          "the system's UTF-8 changed another form");

    if (form == qm::IniForm::Utf8 || form == qm::IniForm::Utf8Mark) {
        const std::string_view text = bytes.substr(form == qm::IniForm::Utf8Mark ? 3 : 0);
        bool exact = false;
        const std::u16string wide = qm::utf8ToUtf16(text, &exact);
        check(exact == qm::isValidUtf8(text), "exactness differs from validity");
        const std::optional<std::string> back = qm::utf16ToUtf8(wide);
        if (exact) {
            check(back.has_value() && *back == text, "UTF-8 does not come back the same");
        } else {
            // What an inexact decoding gives is still text that has a UTF-8 form.
            check(back.has_value() && qm::isValidUtf8(*back), "U+FFFD text without a UTF-8 form");
        }
    }

    const std::optional<qm::PendingTexts> texts = qm::readPendingRecord(bytes);
    if (texts) {
        check(qm::pendingRecord(texts->old, texts->now) == bytes, "a record read is not the one it came from");
        check(qm::holdsOldOrPartOfNew(texts->old, *texts) && qm::holdsOldOrPartOfNew(texts->now, *texts),
              "the old or the new text refused");
    }
    // Any bytes split into two texts: their record reads back as them, and the first half of
    // the new text written over the old one is a state the file may be in.
    const std::string_view old = bytes.substr(0, size / 2), now = bytes.substr(size / 2);
    const std::string record = qm::pendingRecord(old, now);
    const std::optional<qm::PendingTexts> back = qm::readPendingRecord(record);
    check(back && back->old == old && back->now == now, "a record does not read back");
    const std::string half = std::string(now.substr(0, now.size() / 2)) +
                             std::string(old.size() > now.size() / 2 ? old.substr(now.size() / 2) : std::string_view());
    check(qm::holdsOldOrPartOfNew(half, *back), "a file half written refused");
    return 0;
}
