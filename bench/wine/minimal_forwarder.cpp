// The reference for a hand-off: finds a window by class and sends it one 257-byte
// WM_COPYDATA holding its arguments joined with "|". Usage: qm_bench_forwarder CLASS args...
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    HWND target = FindWindowA(argv[1], nullptr);
    if (!target) return 1;
    char block[257] = "";
    std::size_t used = 0;
    for (int i = 2; i < argc; ++i) {
        const std::size_t len = std::strlen(argv[i]);
        if (used + len + (i > 2 ? 1 : 0) >= sizeof block) break;
        if (i > 2) block[used++] = '|';
        std::memcpy(block + used, argv[i], len);
        used += len;
    }
    block[used] = '\0';
    COPYDATASTRUCT cds{};
    cds.cbData = sizeof block;
    cds.lpData = block;
    SendMessageA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    return 0;
}
