// The controls and bars as the paint managers read them: effective style, caption and shortcut, collection links.
#include "toolkit/commandbars/command_bar.h"
#include "toolkit/commandbars/menu_bar.h"
#include "toolkit/commandbars/popup_bar.h"
#include "toolkit/commandbars/control.h"
#include "toolkit/commandbars/controls.h"

#include <gtest/gtest.h>

TEST(KitControl, TheStyleIsCustomThenOwnThenDefaultThenTheBars)
{
    CKitToolBar toolbar;
    toolbar.SetDefaultButtonStyle(kitButtonIconAndCaption);
    CKitControl* pControl = toolbar.GetControls()->AddControl(new CKitControlButton());
    EXPECT_EQ(kitButtonIconAndCaption, pControl->GetStyle());
    pControl->SetDefaultStyle(kitButtonIconAndCaptionBelow);
    EXPECT_EQ(kitButtonIconAndCaptionBelow, pControl->GetStyle());
    pControl->SetStyle(kitButtonIcon);
    EXPECT_EQ(kitButtonIcon, pControl->GetStyle());
    pControl->SetCustomStyle(kitButtonCaption);
    EXPECT_EQ(kitButtonCaption, pControl->GetStyle());
    // Custom automatic (0) still wins over the own style.
    pControl->SetCustomStyle(kitButtonAutomatic);
    EXPECT_EQ(kitButtonAutomatic, pControl->GetStyle());

    CKitControlButton loose;
    EXPECT_EQ(kitButtonAutomatic, loose.GetStyle());
}

TEST(KitControl, ATabInTheCaptionSplitsOffTheShortcut)
{
    CKitControlButton button;
    button.SetCaption("&Open\tCtrl+O");
    EXPECT_STREQ("&Open", button.GetCaption());
    EXPECT_STREQ("Ctrl+O", button.GetShortcutText());
    button.SetCaption("Close");
    EXPECT_STREQ("Close", button.GetCaption());
}

// The collection holds one reference per control and links each to its bar.
TEST(KitControls, ControlsAreLinkedToTheirBarAndReleasedWithIt)
{
    auto* pPopup = new CKitPopupBar();
    EXPECT_EQ(kitBarTypePopup, pPopup->GetType());
    EXPECT_EQ(kitBarPopup, pPopup->GetPosition());
    CKitControl* pFirst = pPopup->GetControls()->AddControl(new CKitControlButton());
    CKitControl* pSecond = pPopup->GetControls()->InsertAt(new CKitControlButton(), 0);
    EXPECT_EQ(2, pPopup->GetControlCount());
    EXPECT_EQ(pSecond, pPopup->GetControl(0));
    EXPECT_EQ(pFirst, pPopup->GetControl(1));
    EXPECT_EQ(nullptr, pPopup->GetControl(2));
    EXPECT_EQ(nullptr, pPopup->GetControl(-1));
    EXPECT_EQ(pPopup, pFirst->GetParent());

    // A holder's reference keeps a removed control alive and unlinked.
    pFirst->InternalAddRef();
    pPopup->GetControls()->Remove(pFirst);
    EXPECT_EQ(nullptr, pFirst->GetParent());
    EXPECT_EQ(1, pPopup->GetControlCount());
    EXPECT_EQ(0, static_cast<int>(pFirst->InternalRelease()));

    // A popup control owns one reference to its popup bar.
    CKitToolBar toolbar;
    auto* pControl = static_cast<CKitControlPopup*>(toolbar.GetControls()->AddControl(new CKitControlPopup()));
    pControl->SetCommandBar(pPopup);
    pPopup->InternalAddRef();
    toolbar.GetControls()->RemoveAll();
    EXPECT_EQ(0, toolbar.GetControlCount());
    EXPECT_EQ(0, static_cast<int>(pPopup->InternalRelease()));
}

TEST(KitCommandBar, FlagsAddThenRemoveAndBackgroundIsAStyleBit)
{
    CKitToolBar toolbar;
    toolbar.SetFlags(0x440);
    toolbar.SetFlags(0x200000, 0x40);
    EXPECT_EQ(0x200400u, toolbar.GetFlags());
    toolbar.SetFlags(0x8, 0x8);
    EXPECT_EQ(0x200400u, toolbar.GetFlags());
    toolbar.SetPaintBackground(TRUE);
    EXPECT_TRUE(toolbar.GetPaintBackground());
    toolbar.SetPaintBackground(FALSE);
    EXPECT_FALSE(toolbar.GetPaintBackground());
    EXPECT_EQ(CSize(16, 16), toolbar.GetIconSize());
    EXPECT_EQ(kitBarTypeMenuBar, CKitMenuBar().GetType());
}
