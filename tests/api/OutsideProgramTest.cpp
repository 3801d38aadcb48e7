// A program that includes the grid beside names of its own, as a user's program would: none of
// the library's names may reach the global namespace, or these declarations would clash with them.
#include "controls/grid/VexoGrid.h"

#include <gtest/gtest.h>

#include <string>

struct Exception {
    std::string what;
};
struct Rect {
    int x, y, w, h;
};
struct TList {
    int count = 0;
};
struct TObject {};
struct TComponent {};
using HWND = void*;
using TColor = unsigned;
inline int DrawText(const char*) {
    return 1;
}
inline int Point(int x) {
    return x;
}

TEST(OutsideProgramTest, OwnGlobalNamesLiveBesideTheLibrary) {
    Rect own{1, 2, 3, 4};
    vexo::TRect library = vexo::Rect(1, 2, 4, 6);
    EXPECT_EQ(own.w + own.h, library.Width() + library.Height());
    EXPECT_EQ(DrawText("x"), 1);
    EXPECT_EQ(Point(7), 7);
    HWND none = nullptr;
    EXPECT_EQ(none, nullptr);

    vexo::TVexoGrid grid(nullptr);
    EXPECT_EQ(grid.ClassName(), "TVexoGrid");
    EXPECT_EQ(TList{}.count, 0);
}
