// The message-string library: where it looks, what it accepts, and how it reports a bad file.
#include <gtest/gtest.h>

#include "LxStrLib.h"
#include "LxStrLibDiagnostics.h"
#include "TempFolder.h"

using testsupport::ScopedEnv;
using testsupport::TempFolder;

namespace {

const char kKey[] = "SOFTWARE\\Quorvel\\Quorvel Calibration Tool";

class MessageStrings : public ::testing::Test {
protected:
    ~MessageStrings() override
    {
        // Later tests use the project's messages again.
        LxInitStrTools(kKey, "msgPath");
    }

    std::string Registry(const std::string& msgPath, const std::string& hive = "HKEY_CURRENT_USER")
    {
        return folder.Write("registry.ini", "; test\n[" + hive + "\\" + kKey + "]\nmsgPath=" + msgPath + "\n");
    }

    TempFolder folder;
};

TEST_F(MessageStrings, LoadsTheLanguageFileWithEscapesAndRelativeFolder)
{
    folder.Write("msgs/en.msg", "# comment\n1000=One\\r\\nTwo\n1200=Reset \"%s\"?\n");
    folder.Write("msgs/fr.msg", "1000=Un\n");
    ScopedEnv registry("QUORVEL_REGISTRY", Registry("msgs"));
    {
        ScopedEnv lang("LC_ALL", "C");
        ASSERT_EQ(LxInitStrTools(kKey, "msgPath"), 0) << lxstrlib::LastError();
        EXPECT_STREQ(LxGetMLString(1000), "One\r\nTwo");
        EXPECT_STREQ(LxGetMLString(1200), "Reset \"%s\"?");
        EXPECT_STREQ(LxGetMLString(4242), "");
    }
    ScopedEnv lang("LC_ALL", "fr_FR.UTF-8");
    ASSERT_EQ(LxInitStrTools(kKey, "msgPath"), 0);
    EXPECT_STREQ(LxGetMLString(1000), "Un");
    EXPECT_STREQ(LxGetMLString(1200), "");
}

TEST_F(MessageStrings, FallsBackToEnglishAndToTheMachineHive)
{
    folder.Write("msgs/en.msg", "1001=Hint\n");
    ScopedEnv registry("QUORVEL_REGISTRY", Registry(folder.Path("msgs"), "HKEY_LOCAL_MACHINE"));
    ScopedEnv lang("LC_ALL", "de_DE.UTF-8");
    ASSERT_EQ(LxInitStrTools(kKey, "msgPath"), 0) << lxstrlib::LastError();
    EXPECT_STREQ(LxGetMLString(1001), "Hint");
}

TEST_F(MessageStrings, TextsStayValidAfterAnotherInitialisation)
{
    folder.Write("msgs/en.msg", "1000=First\n");
    ScopedEnv registry("QUORVEL_REGISTRY", Registry("msgs"));
    ScopedEnv lang("LC_ALL", "C");
    ASSERT_EQ(LxInitStrTools(kKey, "msgPath"), 0);
    const char* first = LxGetMLString(1000);
    folder.Write("msgs/en.msg", "1000=Second\n");
    ASSERT_EQ(LxInitStrTools(kKey, "msgPath"), 0);
    EXPECT_STREQ(first, "First");
    EXPECT_STREQ(LxGetMLString(1000), "Second");
}

struct FailureCase {
    const char* label;
    const char* registry;   // null: no registry file at all
    const char* message;    // content of msgs/en.msg, null for none
    eGetMsgError expected;
    const char* errorPart;  // what the error text must name
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.label;
}

class MessageStringFailures : public MessageStrings, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(MessageStringFailures, ReturnNonZeroAndSayWhy)
{
    const FailureCase& c = GetParam();
    if (c.message)
        folder.Write("msgs/en.msg", c.message);
    const std::string registry = c.registry ? folder.Write("registry.ini", c.registry) : folder.Path("none.ini");
    ScopedEnv env("QUORVEL_REGISTRY", registry);
    ScopedEnv lang("LC_ALL", "C");
    EXPECT_EQ(LxInitStrTools(kKey, "msgPath"), c.expected);
    EXPECT_NE(lxstrlib::LastError().find(c.errorPart), std::string::npos) << lxstrlib::LastError();
}

const char kGood[] = "[HKEY_CURRENT_USER\\SOFTWARE\\Quorvel\\Quorvel Calibration Tool]\nmsgPath=msgs\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageStringFailures,
    ::testing::Values(
        FailureCase{"NoRegistryFile", nullptr, "1000=x\n", eMsgKeyMissing, "none.ini"},
        FailureCase{"KeyMissing", "[HKEY_CURRENT_USER\\SOFTWARE\\Other]\nmsgPath=msgs\n", "1000=x\n", eMsgKeyMissing, "no key"},
        FailureCase{"ValueMissing", "[HKEY_CURRENT_USER\\SOFTWARE\\Quorvel\\Quorvel Calibration Tool]\nother=1\n", "1000=x\n",
                    eMsgValueMissing, "no value msgPath"},
        FailureCase{"FolderMissing", "[HKEY_CURRENT_USER\\SOFTWARE\\Quorvel\\Quorvel Calibration Tool]\nmsgPath=gone\n", nullptr,
                    eMsgFolderMissing, "gone"},
        FailureCase{"FileMissing", kGood, nullptr, eMsgFolderMissing, "msgs"},
        FailureCase{"NotAnId", kGood, "1000=ok\nabc=bad\n", eMsgFileMalformed, "en.msg:2: message id 'abc' is not a number"},
        FailureCase{"NoEquals", kGood, "# c\n\n1000 just text\n", eMsgFileMalformed, "en.msg:3: expected id=text"},
        FailureCase{"Duplicate", kGood, "1000=a\n1000=b\n", eMsgFileMalformed, "en.msg:2: message 1000 is defined twice"},
        FailureCase{"BadEscape", kGood, "1000=a\\q\n", eMsgFileMalformed, "en.msg:1: unknown escape"},
        FailureCase{"HugeId", kGood, "99999999999=a\n", eMsgFileMalformed, "en.msg:1: message id 99999999999 is out of range"},
        FailureCase{"InvalidUtf8", kGood, "1000=ok\n1001=\xff\xfe\n", eMsgFileMalformed, "en.msg:2: text is not valid UTF-8"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.label); });

TEST_F(MessageStrings, MissingFileInAnExistingFolderIsReported)
{
    folder.Write("msgs/readme.txt", "no messages here");
    ScopedEnv env("QUORVEL_REGISTRY", folder.Write("registry.ini", kGood));
    ScopedEnv lang("LC_ALL", "C");
    EXPECT_EQ(LxInitStrTools(kKey, "msgPath"), eMsgFileMissing);
    EXPECT_NE(lxstrlib::LastError().find("en.msg: message file not found"), std::string::npos) << lxstrlib::LastError();
}

TEST_F(MessageStrings, AFailedInitialisationKeepsTheTextsItHad)
{
    ScopedEnv lang("LC_ALL", "C");
    ASSERT_EQ(LxInitStrTools(kKey, "msgPath"), 0);
    const std::string before = LxGetMLString(1000);
    ASSERT_FALSE(before.empty());
    ScopedEnv env("QUORVEL_REGISTRY", folder.Path("missing.ini"));
    EXPECT_NE(LxInitStrTools(kKey, "msgPath"), 0);
    EXPECT_EQ(LxGetMLString(1000), before);
}

TEST(ProjectMessages, BothLanguagesHoldEveryTextAndOneNameConversion)
{
    for (const char* language : {"en", "fr"}) {
        ScopedEnv lang("LC_ALL", language);
        ASSERT_EQ(LxInitStrTools(kKey, "msgPath"), 0) << lxstrlib::LastError();
        for (int id : {1000, 1001, 1100, 1101, 1200})
            EXPECT_STRNE(LxGetMLString(id), "") << language << " " << id;
        const std::string question = LxGetMLString(1200);
        EXPECT_EQ(question.find("%s"), question.rfind("%s")) << language;
        EXPECT_NE(question.find("%s"), std::string::npos) << language;
    }
    ScopedEnv lang("LC_ALL", "C");
    LxInitStrTools(kKey, "msgPath");
}

}  // namespace
