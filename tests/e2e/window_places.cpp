#include "window_places.h"

#include "harness.h"

namespace qm::e2e {

void expectPlaces(HWND main, int clientWidth, int clientHeight, const std::vector<Place>& expected) {
    RECT client{};
    GetClientRect(main, &client);
    ASSERT_EQ(client.right, clientWidth);
    ASSERT_EQ(client.bottom, clientHeight);
    EXPECT_EQ(expected.size(), 10u);
    for (const Place& p : expected) {
        HWND w = control(main, p.id);
        ASSERT_NE(w, nullptr) << p.name;
        const RECT r = rectInParent(w);
        EXPECT_EQ(r.left, p.left) << p.name;
        EXPECT_EQ(r.top, p.top) << p.name;
        EXPECT_EQ(r.right - r.left, p.width) << p.name;
        if (p.id != kIdComboBox1) {
            EXPECT_EQ(r.bottom - r.top, p.height) << p.name;
        }
    }
}

}  // namespace qm::e2e
