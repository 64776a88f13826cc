#include "text/codepage.h"

namespace qm {

const CodePage& systemCodePage() {
    static const Cp932Model cp;
    return cp;
}

}  // namespace qm
