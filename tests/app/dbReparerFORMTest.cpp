#include "app/dbReparerFORM.h"
#include "controls/misc/VexoButton.h"
#include "controls/misc/VexoFrame.h"
#include "framework/stdctrls/TLabel.h"
#include "framework/stdctrls/TListBox.h"
#include "framework/streaming/ClassRegistry.h"

#include <gtest/gtest.h>

#include <string>

using namespace vexo;

TEST(dbReparerFORMTest, FormFileGivesTheLayout) {
    TdbReparerFORM form(nullptr);
    EXPECT_EQ(form.Name(), "dbReparerFORM");
    EXPECT_EQ(form.Caption(), "Reparar DB");
    EXPECT_EQ(form.BorderStyle(), bsToolWindow);
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(form.Color(), TColor(15461355));
    EXPECT_FALSE(form.Scaled());
    EXPECT_EQ(form.ClientWidth(), 151);
    EXPECT_EQ(form.ClientHeight(), 273);
    EXPECT_TRUE(form.OnActivate) << "bound to FormActivate";

    struct Piece {
        TControl* control;
        const char* className;
        TWinControl* parent;
        TAlign align;
        TRect bounds;
    };
    const Piece pieces[] = {
        {form.Panel1, "TVexoFrame", &form, alTop, {0, 0, 151, 49}},
        {form.btStart, "TVexoButton", form.Panel1, alTop, {3, 3, 148, 25}},
        {form.theLabel, "TLabel", form.Panel1, alBottom, {3, 33, 148, 46}},
        {form.theList, "TListBox", &form, alClient, {0, 49, 151, 273}},
    };
    for (const Piece& p : pieces) {
        ASSERT_NE(p.control, nullptr) << p.className;
        EXPECT_EQ(ClassInfoOf(p.control)->Name(), p.className);
        EXPECT_EQ(p.control->Parent(), p.parent) << p.className;
        EXPECT_EQ(p.control->Align(), p.align) << p.className;
        EXPECT_EQ(p.control->BoundsRect(), p.bounds) << p.className;
    }
    EXPECT_EQ(form.Panel1->FrameColor(), clGray);
    EXPECT_EQ(form.Panel1->BorderWidth(), 2);
    EXPECT_EQ(form.btStart->Text(), "Empezar");
    EXPECT_EQ(form.btStart->getColors(1), TColor(16758711));
    EXPECT_EQ(form.btStart->getColors(2), clBlue);
    EXPECT_EQ(form.btStart->Alignment(), taCenter);
    EXPECT_EQ(form.btStart->TextStyles(), TFontStyles{fsBold});
    EXPECT_TRUE(form.btStart->OnClick) << "bound to btStartClick";
    EXPECT_EQ(form.theLabel->Alignment(), taCenter);
    EXPECT_EQ(form.theLabel->Caption(), "");
    EXPECT_EQ(form.theList->BorderStyle(), bsNone);
    EXPECT_EQ(form.theList->ItemHeight(), 13);
}
