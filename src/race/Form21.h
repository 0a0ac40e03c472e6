#pragma once
// "Werbebanner am Deckblatt": the eight sponsor banners of the cover sheet,
// one row each (tick, picture file, "rechts", "runter", "Größe %"), and below
// them a preview of the foot of the cover page with the banners in place.
// The rows are the only place the banners live while the program runs:
// werbung.dat is read when the window loads and written when it unloads.
// The print window's cover sheet takes the rows as a table (BannerRows);
// when the window is not loaded, reaching them loads it hidden.
#include <QSizeF>

#include "Banners.h"
#include "Form15.h"
#include "platform/Controls.h"
#include "platform/Form.h"

class Form21 : public Form {
public:
    template <class C, int N>
    using ControlArray = Form15::ControlArray<C, N>;

    Form21();

    // Column heads of the rows.
    Label Label1{this, QStringLiteral("Label1")};   // "Bilddatei"
    Label Label2{this, QStringLiteral("Label2")};   // "rechts"
    Label Label3{this, QStringLiteral("Label3")};   // "runter"
    Label Label4{this, QStringLiteral("Label4")};   // "Größe %"

    ControlArray<CheckBox, BannerCount> Check1{this, QStringLiteral("Check1")};   // shown
    ControlArray<TextBox, BannerCount> Text1{this, QStringLiteral("Text1")};      // file name
    ControlArray<TextBox, BannerCount> Text2{this, QStringLiteral("Text2")};      // rechts
    ControlArray<TextBox, BannerCount> Text3{this, QStringLiteral("Text3")};      // runter
    ControlArray<TextBox, BannerCount> Text4{this, QStringLiteral("Text4")};      // Größe %

    // Nudging the selected banner: up (no caption), left, right, down.
    CommandButton Command4{this, QStringLiteral("Command4")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command5{this, QStringLiteral("Command5")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    // The picture of the selected banner, at its own size.
    Image Image3{this, QStringLiteral("Image3")};
    // Hidden: takes each picture at its own size to measure it.
    Image Image2{this, QStringLiteral("Image2")};

    // The preview: the band line, its caption and the eight pictures.
    Label Label5{this, QStringLiteral("Label5")};
    Label Label6{this, QStringLiteral("Label6")};
    ControlArray<Image, BannerCount> Image1{this, QStringLiteral("Image1")};

    void Form_Load() override;
    void Form_Unload() override;
    void Check1_Click(int Index);
    void Text1_Click(int Index);
    void Image1_Click(int Index);
    void Text_KeyDown(int &KeyCode);
    void Text2_Change(int Index);
    void Text3_Change(int Index);
    void Text4_Change(int Index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

    // Shows the selected banner's picture in Image3 when its file exists.
    void LoadBannerImage();
    // Places the preview pictures as the cover sheet prints them.
    void LayoutBannerPreview();

    // The own size in millimetres of the picture last put into Image2; the
    // preview measures by it, as the cover sheet measures each picture.
    QSizeF MeasuredSizeMm() const;

    // The rows as a table, and a table put into the rows (the boxes' Change
    // and the ticks' Click run as when the user changes them).
    BannerTable BannerRows() const;
    void ShowBannerRows(const BannerTable &banners);

private:
    void selectBanner(int index);
    void nudge(ControlArray<TextBox, BannerCount> &boxes, int step);
};

// The page of the cover sheet is shown from this many millimetres down.
constexpr double BannerPreviewOffsetMm = 163;
