#pragma once
// Shared set-up of the file-reader fuzz targets: a private working directory
// per process (the program reads its files relative to the data directory,
// which is the working directory), writing the fuzz input as a data file and
// a clean state before each input.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/RecordFiles.h"
#include "core/SharedState.h"

namespace fuzz {

// The targets change the working directory at the first input, after which
// libFuzzer still writes new corpus units, artifacts and merge files under
// the paths it was given. Called from LLVMFuzzerInitialize (before libFuzzer
// reads its arguments), this makes every path argument absolute: a corpus
// folder or input file, and the values of the flags that name files. A
// default flag is added behind the program name unless the command line
// gives that flag itself.
inline void makePathArgumentsAbsolute(int *argc, char ***argv, const std::string &defaultFlag = {})
{
    static const char *const pathFlags[] = {
        "-artifact_prefix=", "-exact_artifact_path=", "-dict=", "-merge_control_file=",
        "-features_dir=", "-data_flow_trace=", "-stop_file=", "-mutation_graph_file=",
    };
    static std::vector<std::string> texts;
    static std::vector<char *> pointers;
    texts.clear();
    for (int i = 0; i < *argc; ++i) {
        std::string arg = (*argv)[i];
        if (i > 0 && !arg.empty() && arg[0] != '-') {
            arg = std::filesystem::absolute(arg).string();
        } else {
            for (const char *flag : pathFlags) {
                const std::size_t n = std::strlen(flag);
                if (arg.compare(0, n, flag) == 0 && arg.size() > n && arg[n] != '/')
                    arg = flag + std::filesystem::absolute(arg.substr(n)).string();
            }
        }
        texts.push_back(arg);
    }
    if (!defaultFlag.empty()) {
        const std::string name = defaultFlag.substr(0, defaultFlag.find('=') + 1);
        bool given = false;
        for (const std::string &t : texts)
            given = given || t.compare(0, name.size(), name) == 0;
        if (!given)
            texts.insert(texts.begin() + 1, defaultFlag);
    }
    pointers.clear();
    for (std::string &t : texts)
        pointers.push_back(t.data());
    pointers.push_back(nullptr);
    *argc = int(texts.size());
    *argv = pointers.data();
}

// Creates a temporary directory once and makes it the working directory, so
// that parallel fuzz processes never share their files.
inline void enterPrivateWorkDir()
{
    static const bool entered = [] {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zirpa-fuzz-XXXXXX";
        const char *dir = mkdtemp(pattern.data());
        if (!dir || chdir(dir) != 0) {
            std::perror("zirpa fuzz: working directory");
            std::abort();
        }
        return true;
    }();
    (void)entered;
}

inline void writeFile(const QString &name, const std::uint8_t *data, std::size_t size)
{
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::perror("zirpa fuzz: write input file");
        std::abort();
    }
    if (size > 0)
        f.write(reinterpret_cast<const char *>(data), qint64(size));
}

inline void removeFile(const QString &name)
{
    QFile::remove(name);
}

// Splits an input that stands for several files at the byte 0x1E (record
// separator): part 0, 1, ... A part that is not there means the file is
// missing; an empty part is an empty file.
inline std::vector<QByteArray> splitParts(const std::uint8_t *data, std::size_t size)
{
    std::vector<QByteArray> parts;
    QByteArray all(reinterpret_cast<const char *>(data), qsizetype(size));
    qsizetype start = 0;
    for (;;) {
        const qsizetype sep = all.indexOf('\x1e', start);
        if (sep < 0) {
            parts.push_back(all.mid(start));
            break;
        }
        parts.push_back(all.mid(start, sep - start));
        start = sep + 1;
    }
    return parts;
}

// The record files of a small world, written one record behind the other:
// fill(n) sets the fields of record n over cleared ones. The file stays open.
template <class Fill>
void writeClubs(int count, Fill fill)
{
    Rec.ClubCount = count;
    OpenClubFile();
    for (int n = 1; n <= count; ++n) {
        ClearClubFields();
        Rec.CurrentClubNo = n;
        fill(n);
        WriteClubRecord();
    }
}

template <class Fill>
void writeAthletes(int count, Fill fill)
{
    Rec.AthleteCount = count;
    OpenAthleteFile();
    for (int n = 1; n <= count; ++n) {
        ClearAthleteFields();
        Rec.CurrentAthleteId = n;
        fill(n);
        WriteAthleteRecord();
    }
}

template <class Fill>
void writeRaceHeaders(int count, Fill fill)
{
    Rec.RaceCount = count;
    OpenRaceFile();
    for (int n = 1; n <= count; ++n) {
        ClearRaceHeader();
        Rec.RaceRecordNo = n;
        fill(n);
        WriteRaceHeader();
    }
}

// The club, athlete and race files opened on the counts they were written with.
inline void openRecordFiles(int clubs, int athletes, int races)
{
    Rec.ClubCount = clubs;
    Rec.AthleteCount = athletes;
    Rec.RaceCount = races;
    OpenClubFile();
    OpenAthleteFile();
    OpenRaceFile();
}

inline void closeRecordFiles()
{
    CloseClubFile();
    CloseAthleteFile();
    CloseRaceFile();
}

// Two classes over the active race: "Jugend" (born 2005 to 2030) first and
// "Allgemein" (1900 to 2004) second, for every sex, guest and run cell.
inline void setTwoClasses()
{
    Race.ClassNames[1] = QStringLiteral("Jugend");
    Race.ClassYears[1] = {2005, 2030};
    Race.ClassNames[2] = QStringLiteral("Allgemein");
    Race.ClassYears[2] = {1900, 2004};
    for (int k = 1; k <= 2; ++k)
        for (int s = 0; s < 2; ++s)
            for (int g = 0; g < 2; ++g)
                for (int b = 0; b < 2; ++b)
                    Race.ClassCellOrder[k][s][g][b] = k;
    Race.ClassDesignations[0] = QStringLiteral("Jugend");
    Race.ClassDesignations[8] = QStringLiteral("Allgemein");
}

// The working directory is the data directory and every table starts clean.
inline void resetState()
{
    enterPrivateWorkDir();
    resetAllSharedState();
    App.DataDir = QString();
}

} // namespace fuzz
