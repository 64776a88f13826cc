// Another program sending the running tool hand-offs, as many as it is told:
//   qm_flood <prefix> <count>
// finds the window of class "TQuillmoorMW" (waiting up to 10 s for it), then sends <count>
// WM_COPYDATA messages, the i-th holding "<prefix><i>" in a 257-byte block as a later start
// of the tool sends it. Exit code: 0 when every message was delivered, 1 when the window
// never came, 2 when a message was not answered within 10 s.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) return 3;
    const std::string prefix = argv[1];
    const int count = std::atoi(argv[2]);
    HWND target = nullptr;
    for (int waited = 0; !(target = FindWindowA("TQuillmoorMW", nullptr)) && waited < 10000; waited += 20) Sleep(20);
    if (!target) return 1;
    for (int i = 0; i < count; ++i) {
        std::vector<char> block(257, '\0');
        const std::string text = prefix + std::to_string(i);
        text.copy(block.data(), 256);
        COPYDATASTRUCT cds{};
        cds.cbData = static_cast<DWORD>(block.size());
        cds.lpData = block.data();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 10000, &result))
            return 2;
    }
    return 0;
}
