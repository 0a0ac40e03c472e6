#include "RecordFiles.h"

#include <algorithm>

#include "SharedState.h"
#include "platform/Beep.h"
#include "platform/NumberText.h"
#include "platform/RecordFile.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"

namespace {

// Field offsets and widths of the club record.
struct TextField {
    int offset;
    int width;
};
constexpr TextField ClubFullNameField{0, 80};
constexpr TextField ClubShortNameField{80, 40};
constexpr TextField ClubFederationNoField{120, 4};
constexpr TextField ClubPlaceField{124, 80};
constexpr TextField ClubContactField{204, 80};
constexpr TextField ClubAddressField{284, 100};
constexpr TextField ClubPhoneField{384, 30};
constexpr TextField ClubEmailField{414, 60};
constexpr TextField ClubMobileField{474, 20};
constexpr TextField ClubHomepageField{494, 60};
constexpr int ClubSpare1Offset = 554;
constexpr int ClubSpare2Offset = 556;
constexpr TextField ClubReserveField{558, 240};

constexpr TextField AthleteNameField{0, 80};
constexpr int AthleteClub1Offset = 80;
constexpr int AthleteClub2Offset = 82;
constexpr int AthleteClub3Offset = 84;
constexpr int AthleteBirthDateOffset = 86;
constexpr int AthleteSexOffset = 94;
constexpr TextField AthleteFederationNoField{96, 9};
constexpr int AthletePointsOffset = 105;
constexpr TextField AthleteReserveField{109, 240};

constexpr TextField RaceNameField{0, 80};
constexpr TextField RaceShortNameField{80, 50};
constexpr TextField RaceExtraTextField{130, 14};
constexpr TextField RacePlaceField{144, 80};
constexpr int RaceDateOffset = 224;
constexpr TextField OrganiserField{232, 80};
constexpr int GuestTimeHandicapOffset = 312;
constexpr int MenTimeHandicapOffset = 320;
constexpr int EvalByClassOffset = 328;
constexpr int EvalBySexOffset = 329;
constexpr int EvalGuestsApartOffset = 330;
constexpr int EvalByTimeOffset = 331;
constexpr int TwoRunsOffset = 332;
constexpr int CertificatePictogramOffset = 333;
constexpr int BestTimeTitleOffset = 335;
constexpr TextField HostClubField{337, 25};
constexpr int EvalBoardersOffset = 362;
constexpr int BestTimeFromClassOffset = 363;
constexpr TextField StartTimeTextField{364, 5};
constexpr TextField RaceDirectorField{369, 25};
constexpr TextField CourseSetterField{394, 25};
constexpr TextField NumberOfGatesField{419, 4};
constexpr TextField StartRefereeField{423, 25};
constexpr TextField FinishRefereeField{448, 25};
constexpr TextField TimingOfficialField{473, 25};
constexpr TextField ChiefJudgeField{498, 25};
constexpr TextField Sponsor1Field{523, 40};
constexpr TextField Sponsor2Field{563, 40};
constexpr TextField Sponsor3Field{603, 40};
constexpr TextField Sponsor4Field{643, 40};
constexpr TextField Sponsor5Field{683, 40};
constexpr TextField Sponsor6Field{723, 40};
constexpr TextField RaceReserveField{763, 374};

QString get(const RecordBuffer &b, TextField f)
{
    return b.text(f.offset, f.width);
}

QString getTrimmed(const RecordBuffer &b, TextField f)
{
    return b.trimmedText(f.offset, f.width);
}

// The reserve fields of most records hold what the one read before held
// (blanks, mostly): the text decoded then is shared instead of decoded again.
struct SharedField {
    QByteArray bytes;
    QString text;
};

QString getShared(const RecordBuffer &b, TextField f, SharedField &last)
{
    if (f.offset < 0 || f.width <= 0 || f.offset + f.width > b.length())
        return get(b, f);
    const QByteArrayView raw = QByteArrayView(b.bytes()).sliced(f.offset, f.width);
    if (last.bytes.size() == raw.size() && QByteArrayView(last.bytes) == raw)
        return last.text;
    last.text = get(b, f);
    last.bytes = raw.toByteArray();
    return last.text;
}

SharedField LastClubReserve;
SharedField LastAthleteReserve;
SharedField LastRaceReserve;

void put(RecordBuffer &b, TextField f, const QString &v)
{
    b.setText(f.offset, f.width, v);
}

// A record that does not lie wholly inside its file reads as a cleared one:
// zero bytes, whose text fields read as blanks and whose numbers are 0; the
// caller sets what must not read as 0 (an athlete's birth date and sex).
RecordBuffer readOrBlank(const RecordFile &file, std::int64_t n, int length, bool *found)
{
    QByteArray bytes;
    *found = file.read(n, bytes);
    if (*found)
        return RecordBuffer(bytes);
    return RecordBuffer(length);
}

bool writeOrBeep(RecordFile &file, std::int64_t n, const RecordBuffer &b)
{
    // A record that could not be written is answered like any refused input.
    if (file.write(n, b.bytes()))
        return true;
    beep();
    return false;
}

QString settingsFileName()
{
    return App.DataDir + QStringLiteral("Zirpa.dat");
}

} // namespace

// ---- clubs -------------------------------------------------------------

void OpenClubFile()
{
    Channels.ClubFile.open(App.DataDir + QStringLiteral("Verein.rec"), ClubRecordLength);
}

void CloseClubFile()
{
    Channels.ClubFile.close();
}

void ClearClubFields()
{
    Rec.ClubFullName.clear();
    Rec.ClubShortName.clear();
    Rec.ClubFederationNo.clear();
    Rec.ClubPlace.clear();
    Rec.ClubContact.clear();
    Rec.ClubAddress.clear();
    Rec.ClubPhone.clear();
    Rec.ClubEmail.clear();
    Rec.ClubMobile.clear();
    Rec.ClubHomepage.clear();
    Rec.ClubReserve.clear();
}

void ReadClubRecord()
{
    if (Rec.CurrentClubNo < 1) {
        beep();
        Rec.ClubFullName.clear();
        Rec.ClubShortName.clear();
        return;
    }
    if (Rec.CurrentClubNo > Rec.ClubCount) {
        beep();
        Rec.ClubFullName.clear();
        return;
    }
    bool found = false;
    const RecordBuffer b = readOrBlank(Channels.ClubFile, Rec.CurrentClubNo, ClubRecordLength, &found);
    Rec.ClubFullName = get(b, ClubFullNameField);
    Rec.ClubShortName = get(b, ClubShortNameField);
    Rec.ClubFederationNo = get(b, ClubFederationNoField);
    Rec.ClubPlace = get(b, ClubPlaceField);
    Rec.ClubContact = get(b, ClubContactField);
    Rec.ClubAddress = get(b, ClubAddressField);
    Rec.ClubPhone = get(b, ClubPhoneField);
    Rec.ClubEmail = get(b, ClubEmailField);
    Rec.ClubMobile = get(b, ClubMobileField);
    Rec.ClubHomepage = get(b, ClubHomepageField);
    Rec.ClubSpare1 = found ? b.int16(ClubSpare1Offset) : 0;
    Rec.ClubSpare2 = found ? b.int16(ClubSpare2Offset) : 0;
    Rec.ClubReserve = getShared(b, ClubReserveField, LastClubReserve);
}

void WriteClubRecord()
{
    if (Rec.CurrentClubNo < 1)
        return;
    RecordBuffer b(ClubRecordLength);
    put(b, ClubFullNameField, Rec.ClubFullName);
    put(b, ClubShortNameField, Rec.ClubShortName);
    put(b, ClubFederationNoField, Rec.ClubFederationNo);
    put(b, ClubPlaceField, Rec.ClubPlace);
    put(b, ClubContactField, Rec.ClubContact);
    put(b, ClubAddressField, Rec.ClubAddress);
    put(b, ClubPhoneField, Rec.ClubPhone);
    put(b, ClubEmailField, Rec.ClubEmail);
    put(b, ClubMobileField, Rec.ClubMobile);
    put(b, ClubHomepageField, Rec.ClubHomepage);
    b.setInt16(ClubSpare1Offset, Rec.ClubSpare1);
    b.setInt16(ClubSpare2Offset, Rec.ClubSpare2);
    put(b, ClubReserveField, Rec.ClubReserve);
    // A record that is not in the file does not count.
    if (!writeOrBeep(Channels.ClubFile, Rec.CurrentClubNo, b))
        return;
    if (Rec.CurrentClubNo >= Rec.ClubCount) {
        Rec.ClubCount = Rec.CurrentClubNo;
        WriteSettingsFile();
    }
}

// ---- athletes ----------------------------------------------------------

void OpenAthleteFile()
{
    Channels.AthleteFile.open(App.DataDir + QStringLiteral("Laeufer.rec"), AthleteRecordLength);
}

void CloseAthleteFile()
{
    Channels.AthleteFile.close();
}

void ClearAthleteFields()
{
    Rec.AthleteName.clear();
    Rec.AthleteClub1 = 0;
    Rec.AthleteClub2 = 0;
    Rec.AthleteClub3 = 0;
    Rec.AthleteBirthDate = NoBirthDate;
    Rec.AthleteSex = 2;
    Rec.AthleteFederationNo.clear();
    Rec.AthletePoints = 0;
    Rec.AthleteReserve.clear();
}

namespace {

// Name, clubs (a club past the last one counts as none) and sex (kept to
// 0..2, 2 for a missing record) of an athlete record.
void rankingFieldsOf(const RecordBuffer &b, bool found, AthleteRankingFields &out)
{
    out.name = getTrimmed(b, AthleteNameField);
    auto club = [&](int offset) {
        const int c = b.int16(offset);
        return c > Rec.ClubCount ? 0 : c;
    };
    out.club1 = club(AthleteClub1Offset);
    out.club2 = club(AthleteClub2Offset);
    out.club3 = club(AthleteClub3Offset);
    const int sex = found ? b.int16(AthleteSexOffset) : 2;
    out.sex = sex > 2 ? 2 : (sex < 0 ? 0 : sex);
}

} // namespace

void ReadAthleteRecord()
{
    if (Rec.CurrentAthleteId < 1 || Rec.CurrentAthleteId > Rec.AthleteCount) {
        beep();
        Rec.AthleteName.clear();
        return;
    }
    bool found = false;
    const RecordBuffer b =
        readOrBlank(Channels.AthleteFile, Rec.CurrentAthleteId, AthleteRecordLength, &found);
    AthleteRankingFields ranking;
    rankingFieldsOf(b, found, ranking);
    Rec.AthleteName = ranking.name;
    Rec.AthleteClub1 = ranking.club1;
    Rec.AthleteClub2 = ranking.club2;
    Rec.AthleteClub3 = ranking.club3;
    Rec.AthleteBirthDate = found ? b.dbl(AthleteBirthDateOffset) : NoBirthDate;
    Rec.AthleteSex = ranking.sex;
    Rec.AthleteFederationNo = get(b, AthleteFederationNoField);
    Rec.AthletePoints = b.single(AthletePointsOffset);
    Rec.AthleteReserve = getShared(b, AthleteReserveField, LastAthleteReserve);
}

void PeekAthleteRecord(int id, AthleteRankingFields &out)
{
    bool found = false;
    const RecordBuffer b = readOrBlank(Channels.AthleteFile, id, AthleteRecordLength, &found);
    rankingFieldsOf(b, found, out);
}

void WriteAthleteRecord()
{
    if (Rec.CurrentAthleteId < 1)
        return;
    RecordBuffer b(AthleteRecordLength);
    put(b, AthleteNameField, Rec.AthleteName);
    b.setInt16(AthleteClub1Offset, num::toInt16(Rec.AthleteClub1));
    b.setInt16(AthleteClub2Offset, num::toInt16(Rec.AthleteClub2));
    b.setInt16(AthleteClub3Offset, num::toInt16(Rec.AthleteClub3));
    b.setDouble(AthleteBirthDateOffset, Rec.AthleteBirthDate);
    b.setInt16(AthleteSexOffset, num::toInt16(Rec.AthleteSex));
    put(b, AthleteFederationNoField, Rec.AthleteFederationNo);
    b.setSingle(AthletePointsOffset, Rec.AthletePoints);
    put(b, AthleteReserveField, Rec.AthleteReserve);
    // A record that is not in the file does not count.
    if (!writeOrBeep(Channels.AthleteFile, Rec.CurrentAthleteId, b))
        return;
    if (Rec.CurrentAthleteId >= Rec.AthleteCount) {
        Rec.AthleteCount = Rec.CurrentAthleteId;
        WriteSettingsFile();
    }
}

void OpenAthleteAndClubFilesIfClosed()
{
    if (!Channels.AthleteFile.isOpen())
        OpenAthleteFile();
    if (!Channels.ClubFile.isOpen())
        OpenClubFile();
}

// ---- races -------------------------------------------------------------

void OpenRaceFile()
{
    Channels.RaceFile.open(App.DataDir + QStringLiteral("Rennen.rec"), RaceRecordLength);
}

void CloseRaceFile()
{
    Channels.RaceFile.close();
}

void ClearRaceHeader()
{
    Rec.RaceName.clear();
    Rec.RaceShortName.clear();
    Rec.RaceExtraText.clear();
    Rec.RacePlace.clear();
    Rec.RaceDate = ClearedRaceDate;
    Rec.Organiser.clear();
    Rec.GuestTimeHandicap = 0;
    Rec.MenTimeHandicap = 0;
    Rec.HostClub.clear();
    Rec.BestTimeFromClass = 0;
    Rec.StartTimeText = QStringLiteral("12:00");
    Rec.RaceDirector.clear();
    Rec.CourseSetter.clear();
    Rec.NumberOfGates = QStringLiteral("0");
    Rec.StartReferee.clear();
    Rec.FinishReferee.clear();
    Rec.TimingOfficial.clear();
    Rec.ChiefJudge.clear();
    Rec.Sponsor1.clear();
    Rec.Sponsor2.clear();
    Rec.Sponsor3.clear();
    Rec.Sponsor4.clear();
    Rec.Sponsor5.clear();
    Rec.Sponsor6.clear();
    Rec.RaceReserveText.clear();
    // The criteria bytes and the certificate choices stay as they are.
}

void SetNewRaceCriteria()
{
    Rec.EvalByClass = 1;
    Rec.EvalBySex = 0;
    Rec.EvalGuestsApart = 0;
    Rec.EvalByTime = 1;
    Rec.TwoRuns = 0;
    Rec.EvalBoarders = 0;
    Rec.GuestTimeHandicap = 0;
    Rec.MenTimeHandicap = 0;
}

bool RaceHeaderStored()
{
    return Rec.RaceRecordNo >= 1 && Rec.RaceRecordNo <= Channels.RaceFile.recordCount();
}

void ReadRaceHeader()
{
    ClearRaceHeader();
    if (Rec.RaceRecordNo < 1 || Rec.RaceRecordNo > Rec.RaceCount) {
        beep();
        return;
    }
    QByteArray bytes;
    if (!Channels.RaceFile.read(Rec.RaceRecordNo, bytes))
        return;   // not in the file: the cleared header stands
    const RecordBuffer b(bytes);
    auto trimmed = [&](TextField f) { return getTrimmed(b, f); };
    Rec.RaceName = trimmed(RaceNameField);
    Rec.RaceShortName = trimmed(RaceShortNameField);
    Rec.RaceExtraText = get(b, RaceExtraTextField);
    Rec.RacePlace = trimmed(RacePlaceField);
    Rec.RaceDate = b.dbl(RaceDateOffset);
    Rec.Organiser = trimmed(OrganiserField);
    Rec.GuestTimeHandicap = b.dbl(GuestTimeHandicapOffset);
    Rec.MenTimeHandicap = b.dbl(MenTimeHandicapOffset);
    Rec.EvalByClass = b.byte(EvalByClassOffset);
    Rec.EvalBySex = b.byte(EvalBySexOffset);
    Rec.EvalGuestsApart = b.byte(EvalGuestsApartOffset);
    Rec.EvalByTime = b.byte(EvalByTimeOffset);
    Rec.TwoRuns = b.byte(TwoRunsOffset);
    Rec.CertificatePictogram = b.int16(CertificatePictogramOffset);
    Rec.BestTimeTitle = b.int16(BestTimeTitleOffset);
    Rec.HostClub = trimmed(HostClubField);
    Rec.EvalBoarders = b.byte(EvalBoardersOffset);
    const std::uint8_t fromClass = b.byte(BestTimeFromClassOffset);
    Rec.BestTimeFromClass = fromClass > 17 ? 0 : fromClass;
    Rec.StartTimeText = trimmed(StartTimeTextField);
    Rec.RaceDirector = trimmed(RaceDirectorField);
    Rec.CourseSetter = trimmed(CourseSetterField);
    Rec.NumberOfGates = trimmed(NumberOfGatesField);
    Rec.StartReferee = trimmed(StartRefereeField);
    Rec.FinishReferee = trimmed(FinishRefereeField);
    Rec.TimingOfficial = trimmed(TimingOfficialField);
    Rec.ChiefJudge = trimmed(ChiefJudgeField);
    Rec.Sponsor1 = trimmed(Sponsor1Field);
    Rec.Sponsor2 = trimmed(Sponsor2Field);
    Rec.Sponsor3 = trimmed(Sponsor3Field);
    Rec.Sponsor4 = trimmed(Sponsor4Field);
    Rec.Sponsor5 = trimmed(Sponsor5Field);
    Rec.Sponsor6 = trimmed(Sponsor6Field);
    Rec.RaceReserveText = getShared(b, RaceReserveField, LastRaceReserve);
}

std::vector<QString> ReadRaceNames()
{
    std::vector<QString> names;
    const std::int64_t last =
        std::min<std::int64_t>(Rec.RaceCount, Channels.RaceFile.recordCount());
    if (last < 1)
        return names;
    names.reserve(std::size_t(last));
    // A few hundred records a read: one pass over the file without holding
    // all of it.
    constexpr std::int64_t Chunk = 512;
    QByteArray bytes;
    for (std::int64_t first = 1; first <= last; first += Chunk) {
        if (!Channels.RaceFile.readRecords(first, std::min(Chunk, last - first + 1), bytes))
            break;
        const RecordBuffer chunk(bytes);
        const int records = chunk.length() / RaceRecordLength;
        for (int i = 0; i < records; ++i)
            names.push_back(chunk.trimmedText(i * RaceRecordLength + RaceNameField.offset,
                                              RaceNameField.width));
        if (records < std::min(Chunk, last - first + 1))
            break;
    }
    return names;
}

void WriteRaceHeader()
{
    if (Rec.RaceRecordNo < 1)
        return;
    RecordBuffer b(RaceRecordLength);
    put(b, RaceNameField, Rec.RaceName);
    put(b, RaceShortNameField, Rec.RaceShortName);
    put(b, RaceExtraTextField, Rec.RaceExtraText);
    put(b, RacePlaceField, Rec.RacePlace);
    b.setDouble(RaceDateOffset, Rec.RaceDate);
    put(b, OrganiserField, Rec.Organiser);
    b.setDouble(GuestTimeHandicapOffset, Rec.GuestTimeHandicap);
    b.setDouble(MenTimeHandicapOffset, Rec.MenTimeHandicap);
    b.setByte(EvalByClassOffset, Rec.EvalByClass);
    b.setByte(EvalBySexOffset, Rec.EvalBySex);
    b.setByte(EvalGuestsApartOffset, Rec.EvalGuestsApart);
    b.setByte(EvalByTimeOffset, Rec.EvalByTime);
    b.setByte(TwoRunsOffset, Rec.TwoRuns);
    b.setInt16(CertificatePictogramOffset, num::toInt16(Rec.CertificatePictogram));
    b.setInt16(BestTimeTitleOffset, num::toInt16(Rec.BestTimeTitle));
    put(b, HostClubField, Rec.HostClub);
    b.setByte(EvalBoardersOffset, Rec.EvalBoarders);
    b.setByte(BestTimeFromClassOffset, Rec.BestTimeFromClass);
    put(b, StartTimeTextField, Rec.StartTimeText);
    put(b, RaceDirectorField, Rec.RaceDirector);
    put(b, CourseSetterField, Rec.CourseSetter);
    put(b, NumberOfGatesField, Rec.NumberOfGates);
    put(b, StartRefereeField, Rec.StartReferee);
    put(b, FinishRefereeField, Rec.FinishReferee);
    put(b, TimingOfficialField, Rec.TimingOfficial);
    put(b, ChiefJudgeField, Rec.ChiefJudge);
    put(b, Sponsor1Field, Rec.Sponsor1);
    put(b, Sponsor2Field, Rec.Sponsor2);
    put(b, Sponsor3Field, Rec.Sponsor3);
    put(b, Sponsor4Field, Rec.Sponsor4);
    put(b, Sponsor5Field, Rec.Sponsor5);
    put(b, Sponsor6Field, Rec.Sponsor6);
    put(b, RaceReserveField, Rec.RaceReserveText);
    // A record that is not in the file does not count.
    if (!writeOrBeep(Channels.RaceFile, Rec.RaceRecordNo, b))
        return;
    if (Rec.RaceRecordNo >= Rec.RaceCount) {
        Rec.RaceCount = Rec.RaceRecordNo;
        WriteSettingsFile();
    }
}

// ---- settings file -------------------------------------------------------

void ReadSettingsFile()
{
    Rec.AthleteCount = 0;
    Rec.ClubCount = 0;
    Rec.RaceCount = 0;
    Rec.SettingsLine4 = 0;
    TextReader in(settingsFileName());
    if (in.exists()) {
        if (!in.atEnd())
            Rec.AthleteCount = num::toInt16(in.readNumber());
        if (!in.atEnd())
            Rec.ClubCount = num::toInt16(in.readNumber());
        if (!in.atEnd())
            Rec.RaceCount = num::toInt32(in.readNumber());
        if (!in.atEnd())
            Rec.SettingsLine4 = num::toInt16(in.readNumber());
    }
    Rec.CurrentAthleteId = Rec.AthleteCount;
    Rec.CurrentClubNo = Rec.ClubCount;
    Rec.RaceRecordNo = Rec.RaceCount;
}

void WriteSettingsFile()
{
    TextWriter out(settingsFileName());
    out.numberLine(Rec.AthleteCount);
    out.numberLine(Rec.ClubCount);
    out.numberLine(Rec.RaceCount);
    out.numberLine(Rec.SettingsLine4);
    if (!out.commit())
        beep();
}
