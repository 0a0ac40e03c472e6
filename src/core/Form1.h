#pragma once
// The main window: start-up of the program, the organisation's name, the
// record counts and the three master-data windows.
#include <array>

#include "platform/Controls.h"
#include "platform/Form.h"

class Form1 : public Form {
public:
    Form1();

    Label Label1{this, QStringLiteral("Label1")};
    Label Label2{this, QStringLiteral("Label2")};
    Label Label3{this, QStringLiteral("Label3")};
    Label Label4{this, QStringLiteral("Label4")};
    CommandButton Command1{this, QStringLiteral("Command1")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    CommandButton Command4{this, QStringLiteral("Command4")};
    Image Image1{this, QStringLiteral("Image1")};
    Image Image2{this, QStringLiteral("Image2")};
    Image Image3{this, QStringLiteral("Image3")};
    Image Image4{this, QStringLiteral("Image4")};
    Image Image5{this, QStringLiteral("Image5")};
    Image Image6{this, QStringLiteral("Image6")};
    Image Image7{this, QStringLiteral("Image7")};
    Image Image8{this, QStringLiteral("Image8")};
    Timer Timer1{this, QStringLiteral("Timer1")};

    // Image1..Image8 by number 1..8.
    Image &Pictogram(int n);
    // The pictograms at their own size, for printing: skier, snowboarder,
    // sledger, running child, female runner, male runner, running pair,
    // cyclist (1..8; a null image outside).
    static QImage PictogramPicture(int n);
    // The same pictograms fitted whole into the picture area of the main
    // window, as it shows them (1..8; a null image outside).
    static QImage ScreenPictogramPicture(int n);
    // The picture area in pixels.
    static QSize PictogramArea();
    // The text the organisation label shows under the mouse.
    static QString OrganisationHint();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Label1_MouseMove();
    void Timer1_Timer();

private:
    std::array<Image *, 8> images_;
};
