#pragma once
// "Daten für Titelblatt": the texts of the current race's header that the
// cover sheet prints about the event and its officials. Each box stores its
// trimmed text in the header when it loses focus; the header is written when
// the window closes. "Werbung" opens the banner window over it.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form16 : public Form {
public:
    Form16();

    Label Label1{this, QStringLiteral("Label1")};   // the race name

    Label Label2{this, QStringLiteral("Label2")};
    TextBox Text2{this, QStringLiteral("Text2")};   // RaceShortName
    Label Label3{this, QStringLiteral("Label3")};
    TextBox Text1{this, QStringLiteral("Text1")};   // RacePlace
    Label Label4{this, QStringLiteral("Label4")};
    TextBox Text3{this, QStringLiteral("Text3")};   // RaceDate
    Label Label5{this, QStringLiteral("Label5")};
    TextBox Text6{this, QStringLiteral("Text6")};   // StartTimeText
    Label Label6{this, QStringLiteral("Label6")};
    TextBox Text9{this, QStringLiteral("Text9")};   // NumberOfGates
    Label Label7{this, QStringLiteral("Label7")};
    TextBox Text4{this, QStringLiteral("Text4")};   // Organiser
    Label Label8{this, QStringLiteral("Label8")};
    TextBox Text5{this, QStringLiteral("Text5")};   // HostClub
    Label Label9{this, QStringLiteral("Label9")};
    TextBox Text8{this, QStringLiteral("Text8")};   // RaceDirector
    Label Label10{this, QStringLiteral("Label10")};
    TextBox Text7{this, QStringLiteral("Text7")};   // CourseSetter
    Label Label11{this, QStringLiteral("Label11")};
    TextBox Text13{this, QStringLiteral("Text13")}; // StartReferee
    Label Label12{this, QStringLiteral("Label12")};
    TextBox Text12{this, QStringLiteral("Text12")}; // FinishReferee
    Label Label13{this, QStringLiteral("Label13")};
    TextBox Text10{this, QStringLiteral("Text10")}; // TimingOfficial
    Label Label14{this, QStringLiteral("Label14")};
    TextBox Text11{this, QStringLiteral("Text11")}; // ChiefJudge

    // The sponsor lines of the header: present, never shown, so the window
    // leaves Sponsor1..Sponsor6 as they are stored.
    Label Label15{this, QStringLiteral("Label15")};
    TextBox Text14{this, QStringLiteral("Text14")};
    TextBox Text15{this, QStringLiteral("Text15")};
    TextBox Text16{this, QStringLiteral("Text16")};
    TextBox Text17{this, QStringLiteral("Text17")};
    TextBox Text18{this, QStringLiteral("Text18")};
    TextBox Text19{this, QStringLiteral("Text19")};

    CommandButton Command10{this, QStringLiteral("Command10")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Text3_LostFocus();
    void Command10_Click();
    void Command1_Click();
};
