// Splitting of the command line into the program path, arguments and switches,
// and the look-ups on them. Bad inputs are placed before an unreadable page, so
// that a read past the end of the text faults.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/command_line.h"
#include "framework/settings/app_globals.h"
#include "framework/util/text.h"
#include "framework/util/wide_text.h"
#include "tests/util/guarded_text.h"

namespace {

using Texts = std::vector<std::string>;

Texts ListOf(const TStringList& list)
{
    Texts texts;
    for (const auto* node = list.First(); node; node = node->next)
        texts.emplace_back(node->value);
    return texts;
}

Texts Arguments()
{
    return ListOf(AppGlobals.Arguments);
}

Texts Switches()
{
    return ListOf(AppGlobals.Switches);
}

void Split(const std::string& commandLine)
{
    const TGuardedText text(commandLine.c_str());
    ASSERT_TRUE(text.IsGuarded());
    SplitCommandLine(text.Get());
}

std::string SwitchValue(int index)
{
    char* value;
    GetSwitchValue(value, index);
    std::string copy(value);
    FreeText(value);
    return copy;
}

std::string Argument(int index)
{
    char* value;
    GetArgument(value, index);
    std::string copy(value);
    FreeText(value);
    return copy;
}

// Every test leaves the record as a run without arguments would.
class CommandLineTest : public ::testing::Test {
protected:
    void TearDown() override { SplitCommandLine(""); SetProgramFile(L""); }
};

}  // namespace

TEST_F(CommandLineTest, UnquotedPathWithSpacesAndASwitch)
{
    Split("prog.exe C:\\My Documents\\a b.txt /x:1");
    EXPECT_EQ("prog.exe", std::string(AppGlobals.ModulePath));
    EXPECT_EQ(Texts({"C:\\My Documents\\a b.txt"}), Arguments());
    EXPECT_EQ(Texts({"/x:1"}), Switches());
    EXPECT_EQ("1", SwitchValue(0));
    EXPECT_EQ(0, FindSwitch("/X"));
    EXPECT_EQ(0, FindSwitch("/x"));
    EXPECT_EQ(-1, FindSwitch("/x:1"));
    EXPECT_EQ(-1, FindSwitch("x"));
    EXPECT_EQ(1, GetArgumentCount());
    EXPECT_EQ("C:\\My Documents\\a b.txt", Argument(0));
}

TEST_F(CommandLineTest, UnquotedNamesJoinQuotedNamesDoNot)
{
    Split("prog a.txt b.txt");
    EXPECT_EQ(Texts({"a.txt b.txt"}), Arguments());
    Split("prog \"a.txt\" \"b.txt\"");
    EXPECT_EQ(Texts({"a.txt", "b.txt"}), Arguments());
    // Blanks inside a joined argument stay as they were.
    Split("prog a \t b\r\nc  ");
    EXPECT_EQ(Texts({"a \t b\r\nc"}), Arguments());
}

TEST_F(CommandLineTest, DrivePathsNetworkPathsAndSwitchesStartNewArguments)
{
    Split("prog C:\\a D:\\b");
    EXPECT_EQ(Texts({"C:\\a", "D:\\b"}), Arguments());
    Split("prog a b \\\\server\\share x");
    EXPECT_EQ(Texts({"a b", "\\\\server\\share x"}), Arguments());
    Split("prog a b /s c \"d\" e");
    EXPECT_EQ(Texts({"a b", "c", "d", "e"}), Arguments());
    EXPECT_EQ(Texts({"/s"}), Switches());
    // A single backslash does not start a network path.
    Split("prog a \\b");
    EXPECT_EQ(Texts({"a \\b"}), Arguments());
}

TEST_F(CommandLineTest, SwitchEndingInColonTakesTheQuotedValueThatFollows)
{
    Split("prog /restore:\"3\"");
    EXPECT_EQ(Texts({"/restore:\"3\""}), Switches());
    EXPECT_EQ("\"3\"", SwitchValue(0));
    EXPECT_EQ(0, FindSwitch("/RESTORE"));
    EXPECT_TRUE(Arguments().empty());

    Split("prog /name:\"a b\" c");
    EXPECT_EQ(Texts({"/name:\"a b\""}), Switches());
    EXPECT_EQ(Texts({"c"}), Arguments());

    // With a blank between them the value is an argument of its own.
    Split("prog /name: \"a b\"");
    EXPECT_EQ(Texts({"/name:"}), Switches());
    EXPECT_EQ("", SwitchValue(0));
    EXPECT_EQ(Texts({"a b"}), Arguments());

    // Only the first ':' separates the value.
    Split("prog /d:C:\\x");
    EXPECT_EQ("C:\\x", SwitchValue(0));
    EXPECT_EQ(0, FindSwitch("/D"));
}

TEST_F(CommandLineTest, ModulePathAndHelpFile)
{
    Split("C:\\Tools.v2\\prog /x");
    EXPECT_EQ("C:\\Tools.v2\\prog", std::string(AppGlobals.ModulePath));
    SetProgramFile(L"C:\\Tools.v2\\prog");
    EXPECT_EQ("C:\\Tools.HLP", std::string(AppGlobals.HelpFile));

    Split("  \"C:\\Program Files\\Pel.orum\\prog.exe\"  a ");
    EXPECT_EQ("C:\\Program Files\\Pel.orum\\prog.exe", std::string(AppGlobals.ModulePath));
    SetProgramFile(L"C:\\Program Files\\Pel.orum\\prog.exe");
    EXPECT_EQ("C:\\Program Files\\Pel.orum\\prog.HLP", std::string(AppGlobals.HelpFile));
    EXPECT_EQ(Texts({"a"}), Arguments());

    SetProgramFile(L"prog");
    EXPECT_EQ("prog.HLP", std::string(AppGlobals.HelpFile));
}

TEST_F(CommandLineTest, SwitchLookUps)
{
    Split("prog /a /B:2 /a:3 /\x83\x61");
    EXPECT_EQ(0, FindSwitch("/A"));
    EXPECT_EQ(1, FindSwitch("/b"));
    EXPECT_EQ("2", SwitchValue(1));
    EXPECT_EQ("3", SwitchValue(2));
    // A trail byte is not a letter: 0x83 0x61 and 0x83 0x41 are different characters.
    EXPECT_EQ(3, FindSwitch("/\x83\x61"));
    EXPECT_EQ(-1, FindSwitch("/\x83\x41"));
    EXPECT_EQ(-1, FindSwitch(""));
    EXPECT_EQ(-1, FindSwitch(nullptr));
    EXPECT_EQ("", SwitchValue(4));
    EXPECT_EQ("", SwitchValue(-1));
    EXPECT_EQ("", Argument(0));
    EXPECT_EQ("", Argument(-1));
}

TEST_F(CommandLineTest, SplittingAgainStartsFromEmptyLists)
{
    Split("prog a /b");
    Split("prog c");
    EXPECT_EQ(Texts({"c"}), Arguments());
    EXPECT_TRUE(Switches().empty());
}

TEST_F(CommandLineTest, EmptyAndBlankCommandLines)
{
    for (const char* line : {"", "   ", " \t\r\n ", "\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(line));
        Split(line);
        EXPECT_EQ("", std::string(AppGlobals.ModulePath));
        EXPECT_TRUE(Arguments().empty());
        EXPECT_TRUE(Switches().empty());
        EXPECT_FALSE(IsHelpRequested());
    }
    SplitCommandLine(nullptr);
    EXPECT_EQ("", std::string(AppGlobals.ModulePath));
}

TEST_F(CommandLineTest, UnterminatedQuotes)
{
    Split("prog \"C:\\a b");
    EXPECT_EQ(Texts({"C:\\a b"}), Arguments());
    Split("prog /x \"abc /y");
    EXPECT_EQ(Texts({"/x"}), Switches());
    EXPECT_EQ(Texts({"abc /y"}), Arguments());
    Split("prog /x:\"abc");
    EXPECT_EQ(Texts({"/x:\"abc"}), Switches());
    // A lone quote as the program path is no pair of quotes.
    Split("\"");
    EXPECT_EQ("\"", std::string(AppGlobals.ModulePath));
    Split("\"C:\\prog");
    EXPECT_EQ("\"C:\\prog", std::string(AppGlobals.ModulePath));
    Split("prog \"");
    EXPECT_EQ(Texts({""}), Arguments());
    Split("prog \"\" a");
    EXPECT_EQ(Texts({"", "a"}), Arguments());
}

TEST_F(CommandLineTest, SwitchColonAtTheVeryEnd)
{
    Split("prog /x:");
    EXPECT_EQ(Texts({"/x:"}), Switches());
    EXPECT_EQ("", SwitchValue(0));
    EXPECT_EQ(0, FindSwitch("/x"));
    Split("prog /:");
    EXPECT_EQ(Texts({"/:"}), Switches());
    EXPECT_EQ(0, FindSwitch("/"));
    Split("prog :");
    EXPECT_EQ(Texts({":"}), Arguments());
}

TEST_F(CommandLineTest, TrailBytesAreNeverSeparatorsOrQuotes)
{
    // "ソ" (0x83 0x5C) and "表" (0x95 0x5C) end in the backslash code.
    Split("prog C:\\\x83\x5C\\\x95\x5C.txt \"\x83\x5C\" /\x95\x5C:\x83\x5C");
    EXPECT_EQ(Texts({"C:\\\x83\x5C\\\x95\x5C.txt", "\x83\x5C"}), Arguments());
    EXPECT_EQ(Texts({"/\x95\x5C:\x83\x5C"}), Switches());
    EXPECT_EQ("\x83\x5C", SwitchValue(0));
    EXPECT_EQ(0, FindSwitch("/\x95\x5C"));

    // A path ending in a trail byte 0x5C inside quotes keeps its closing quote
    // as a quote.
    Split("\"C:\\\x83\x5C\" a");
    EXPECT_EQ("C:\\\x83\x5C", std::string(AppGlobals.ModulePath));
    EXPECT_EQ(Texts({"a"}), Arguments());

    // A token of two double-byte characters whose trail bytes are backslashes
    // is no network path.
    Split("prog a \x83\x5C\x83\x5C");
    EXPECT_EQ(Texts({"a \x83\x5C\x83\x5C"}), Arguments());

    // A lead byte before a quote is a character of its own; so is a lead byte
    // at the very end.
    Split("prog \x83\"a b\" c\x83");
    EXPECT_EQ(Texts({"\x83", "a b", "c\x83"}), Arguments());
}

TEST_F(CommandLineTest, ThirtyTwoKilobytes)
{
    std::string quoted = "prog";
    while (quoted.size() < 32 * 1024 - 4)
        quoted += " \"a\"";
    Split(quoted);
    EXPECT_EQ(static_cast<int>((quoted.size() - 4) / 4), GetArgumentCount());

    std::string joined = "prog";
    while (joined.size() < 32 * 1024 - 2)
        joined += " a";
    Split(joined);
    ASSERT_EQ(1, GetArgumentCount());
    EXPECT_EQ(joined.substr(5), Argument(0));

    std::string switches = "prog";
    while (switches.size() < 32 * 1024 - 3)
        switches += " /s";
    Split(switches);
    EXPECT_EQ(static_cast<int>((switches.size() - 4) / 3), AppGlobals.Switches.Count());

    const std::string one(32 * 1024, '\x83');
    Split(one);
    EXPECT_EQ(one, std::string(AppGlobals.ModulePath));
}

TEST_F(CommandLineTest, HelpSwitchNeedsTheHelpFile)
{
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string program = std::string(temp) + "help_test_" + std::to_string(GetCurrentProcessId()) + ".exe";
    const std::string helpFile = program.substr(0, program.size() - 4) + ".HLP";

    SetProgramFile(WideText(program.c_str()));
    Split("\"" + program + "\" /HeLp");
    EXPECT_EQ(helpFile, std::string(AppGlobals.HelpFile));
    EXPECT_FALSE(IsHelpRequested());

    HANDLE file = CreateFileA(helpFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    EXPECT_TRUE(IsHelpRequested());
    Split("\"" + program + "\" /?");
    EXPECT_TRUE(IsHelpRequested());
    Split("\"" + program + "\" /help:now");
    EXPECT_TRUE(IsHelpRequested());
    Split("\"" + program + "\" /helpme help ?");
    EXPECT_FALSE(IsHelpRequested());
    DeleteFileA(helpFile.c_str());
}
