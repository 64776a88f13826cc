// The command interpreter's reading of a launch's line, with the code page 932 model: which
// lines it reads, whether every entry stands whole inside quotes, the length it takes, and
// the names it looks up in the current folder in every command it runs; each launch planned as
// the product plans it.
#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "../shared/memory_runlist.h"
#include "launch/interpreter.h"
#include "launch/launch.h"

namespace qm {

void PrintTo(Refusal refusal, std::ostream* os) {
    *os << "Refusal " << static_cast<int>(refusal);
}

namespace {

const Cp932Model cp;

// A text as the failure messages show it.
std::string shown(std::u16string_view text) {
    return ::testing::PrintToString(std::u16string(text));
}

// A finder that knows exactly these program names.
ProgramFinder finds(std::initializer_list<const char16_t*> names) {
    return [known = std::set<std::u16string>(names.begin(), names.end())](const std::u16string& name) {
        return known.count(name) > 0;
    };
}

bool runsThroughInterpreter(std::u16string_view line, const ProgramFinder& found) {
    return interpreterStartOf(line, found).has_value();
}

TEST(InterpreterTarget, BatchFilesAndTheInterpreterByName) {
    const ProgramFinder none = finds({});
    for (const char16_t* line :
         {u"x.bat", u"X.Bat", u"\"C:\\a b\\x.CMD\" %P", u"\"x.bat. \" a", u"x.cmd.", u"\"ポ.bat\"",
          u"\"C:\\表\\cmd\" /c", u"C:\\Windows\\System32\\cmd.exe", u"\"cmd.EXE\" /c x %P", u"\"C:\\Caf\u00E9\\x.bat\"",
          u"\"C:cmd.exe\" /c", u"\"D:x.bat\" %P"})
        EXPECT_TRUE(runsThroughInterpreter(line, none));
    EXPECT_TRUE(runsThroughInterpreter(u"cmd /c echo %P", finds({u"cmd"})));
    EXPECT_TRUE(
        runsThroughInterpreter(u"C:\\Windows\\System32\\cmd.exe /c x %P", finds({u"C:\\Windows\\System32\\cmd.exe"})));
    // Only the program's own name counts.
    for (const char16_t* line : {u"\"notepad.exe\" %P", u"\"C:\\app.exe\" x.bat %P", u"\"x.batch\"", u"\"x.bat.exe\"",
                                 u"\"C:\\x.bat\\y.exe\"", u"\"cmdx\"", u"\"C:\\cmd\\app\"", u"\"表cmd\"", u"\"\""})
        EXPECT_FALSE(runsThroughInterpreter(line, none));
}

TEST(InterpreterTarget, UnquotedNameIsTheFirstPrefixTheSystemFinds) {
    EXPECT_FALSE(runsThroughInterpreter(u"notepad.exe %P", finds({u"notepad.exe"})));
    EXPECT_FALSE(runsThroughInterpreter(u"notepad.exe x.bat %P", finds({u"notepad.exe", u"notepad.exe x.bat"})));
    // A name the system does not find is passed over for the longer one.
    EXPECT_TRUE(runsThroughInterpreter(u"notepad.exe x.bat %P", finds({u"notepad.exe x.bat"})));
    EXPECT_TRUE(runsThroughInterpreter(u"C:\\a b\\x.bat %P", finds({u"C:\\a b\\x.bat"})));
    EXPECT_FALSE(runsThroughInterpreter(u"C:\\a b\\x.bat %P", finds({u"C:\\a", u"C:\\a b\\x.bat"})));
    EXPECT_TRUE(runsThroughInterpreter(u"C:\\a\tb.cmd", finds({u"C:\\a\tb.cmd"})));
    // Nothing found: the whole line is the last name tried.
    EXPECT_TRUE(runsThroughInterpreter(u"app.exe x.bat", finds({})));
    EXPECT_FALSE(runsThroughInterpreter(u"x.bat app.exe", finds({})));
    // No file name holds a quote: nothing past the first one is searched for.
    const ProgramFinder quoteless = [](const std::u16string& name) {
        EXPECT_EQ(name.find(u'"'), std::u16string::npos);
        return false;
    };
    EXPECT_FALSE(runsThroughInterpreter(u"C:\\no where\\app.exe \"a b\" \"c\" d", quoteless));
}

// The programs the system finds by these names.
const ProgramFinder kFound =
    finds({u"C:\\d\\show.bat", u"cmd", u"CMD.EXE", u"C:/Windows/cmd.exe", u"notepad.exe", u"x.bat", u"tb.bat"});

bool holdsNothing(const std::u16string&) {
    return false;
}

// A launch of the template on the entries, its program found as kFound finds it.
LaunchPlan planOf(std::u16string_view commandTemplate, std::initializer_list<std::u16string_view> entries) {
    const AppTable table{{u"a=" + std::u16string(commandTemplate)}};
    return planLaunch(listOf(entries), u"a", &table, false, false, cp, kFound);
}

// Why that launch would start nothing, its current folder holding what `inFolder` answers for.
Refusal refusal(std::u16string_view commandTemplate, std::initializer_list<std::u16string_view> entries,
                bool delayedByDefault = false, const CurrentFolderFinder& inFolder = holdsNothing) {
    return refusalOf(planOf(commandTemplate, entries), delayedByDefault, inFolder);
}
bool mayStart(std::u16string_view commandTemplate, std::initializer_list<std::u16string_view> entries,
              bool delayedByDefault = false) {
    return refusal(commandTemplate, entries, delayedByDefault) == Refusal::None;
}

TEST(InterpreterQuotes, TemplateShapesAgainstTheInterpretersReading) {
    const char16_t* const amp = u"C:\\dl\\x&mkdir C:\\t\\PWNED&.txt";
    struct Shape {
        const char16_t* commandTemplate;
        bool whole;  // every entry inside quotes as the interpreter reads the line
        Refusal withoutEntries = Refusal::None;
    };
    const Refusal inDoubt = Refusal::ProgramNameInDoubt;
    const Shape shapes[] = {
        {u"\"C:\\d\\show.bat\" %P", true},         // the system's cmd /c "..." strips its own quotes
        {u"C:\\d\\show.bat %P", true},             // unquoted batch name
        {u"\"C:\\d\\show.bat.\" %P", true},        // trailing dots: still the batch file
        {u"\"C:\\d\\show.bat..\" \"%P\"", false},  // the list's quotes cancel the template's
        {u"\"C:\\d\\show.bat\" \"%P\"", false},
        {u"cmd /c \"C:\\d\\show.bat\" %P", false},  // the first and last quote stripped
        {u"cmd /c %P", false},
        {u"cmd /c \"\"C:\\d\\show.bat\" %P\"", true},  // the outer pair stripped, the inner kept
        {u"cmd /s /c \"\"C:\\d\\show.bat\" %P\"", true},
        {u"cmd /s /c \"C:\\d\\show.bat %P\"", true},
        {u"cmd /k \"C:\\d\\show.bat\" %P", false},
        {u"cmd /k \"\"C:\\d\\show.bat\" %P\"", true},
        {u"CMD.EXE /C \"C:\\d\\show.bat\" %P", false},
        {u"CMD.EXE /C echo %P", true},
        {u"\"cmd.exe..\" /c %P", false},
        {u"\"C:cmd.exe\" /c \"type\" %P", false},  // a drive and no folder: still the interpreter
        {u"cmd /q /d /e:on /t:0a /c echo %P", true},
        {u"cmd /s/c\t\"\"C:\\d\\show.bat\" %P\"", true},
        {u"cmd /c echo \"^\"%P", true},     // "^" inside quotes is a character
        {u"cmd /c echo ^\"x\" %P", false},  // outside it takes the quote: one quote short
        {u"cmd /c echo ^\" %P", true},
        // An entry that would stand before the interpreter's command ("/c&calc" after it).
        {u"\"cmd.exe %P", false},
        // Where the interpreter's reading is in doubt: refused.
        {u"cmd /r echo %P", false},
        {u"cmd foo /c echo %P", false, inDoubt},
        {u"C:/Windows/cmd.exe /c echo %P", false, inDoubt},  // its first "/" is taken for a switch
        {u"cmd %P", false},
        {u"cmd /c echo %X% %P %Y%", false},  // an entry inside "%...%"
        {u"cmd /c call \"%U%\\x.bat\" %P", true},
        {u"cmd /c ,echo %P", false, inDoubt},
        // Every other program: untouched.
        {u"\"C:\\d\\app.exe\" \"%P\"", true},
        {u"notepad.exe /c %P", true},
    };
    for (const Shape& shape : shapes) {
        const Refusal withEntries = shape.whole ? Refusal::None : Refusal::EntryNotWhole;
        // An entry outside quotes is refused whatever it holds.
        for (const char16_t* entry :
             {amp, u"C:\\My Files\\a b.txt", u"a^b", u"x(1).txt", u"a|b>c", u"plain", u"/c&calc", u"C:\\dir\\"})
            EXPECT_EQ(refusal(shape.commandTemplate, {entry}), withEntries)
                << shown(shape.commandTemplate) << " with " << shown(entry);
        // Two entries, the unsafe one second; and no entries at all.
        EXPECT_EQ(refusal(shape.commandTemplate, {u"C:\\a", amp}), withEntries) << shown(shape.commandTemplate);
        EXPECT_EQ(refusal(shape.commandTemplate, {}), shape.withoutEntries) << shown(shape.commandTemplate);
    }
    // After "/c" the interpreter runs "calc": the entry is its command, not its argument.
    EXPECT_EQ(refusal(u"\"cmd.exe %P", {u"/c calc"}), Refusal::EntryNotWhole);
}

TEST(InterpreterQuotes, WhatChangesAnEntryInsideQuotesToo) {
    for (const char16_t* t : {u"\"C:\\d\\show.bat\" %P", u"cmd /c echo %P", u"cmd /v:off /c echo %P"}) {
        // "%" is expanded, a line break (a pasted multi-line text) ends the line, and no file
        // name holds a control character.
        for (const char16_t* entry : {u"C:\\100%\\a", u"%OS%.txt", u"a\nb", u"a\r\nb",
                                      u"a\x1b"
                                      u"b"})
            EXPECT_FALSE(mayStart(t, {u"C:\\a", entry})) << shown(t) << " with " << shown(entry);
        EXPECT_TRUE(mayStart(t, {u"a!b!c", u"a^b!"})) << shown(t);
    }
    // With delayed expansion on, "!" is expanded inside quotes, and "^" goes where a "!" is.
    for (const char16_t* t :
         {u"cmd /v:on /c echo %P", u"cmd /V:ON /c echo %P", u"cmd /v /c echo %P", u"cmd /v:offx /c echo %P"}) {
        EXPECT_FALSE(mayStart(t, {u"a!b"})) << shown(t);
        EXPECT_TRUE(mayStart(t, {u"a^b&c"})) << shown(t);
        EXPECT_FALSE(mayStart(t + std::u16string(u" !"), {u"a^b"})) << shown(t);
    }
    EXPECT_FALSE(mayStart(u"cmd /v:on /c echo !x %P !", {u"a"}));
    // Without it a "!" is a character like any other, around an entry too.
    EXPECT_TRUE(mayStart(u"cmd /c echo !x %P !", {u"a"}));
    EXPECT_TRUE(mayStart(u"\"C:\\d\\show.bat\" !x %P !", {u"a"}));
    EXPECT_TRUE(mayStart(u"cmd /v:off /c echo !x %P !", {u"a"}, true));
    // By the registry's default: for a batch file, and for the interpreter without "/v".
    EXPECT_FALSE(mayStart(u"\"C:\\d\\show.bat\" %P", {u"a!b"}, true));
    EXPECT_FALSE(mayStart(u"\"C:\\d\\show.bat\" !x %P !", {u"a"}, true));
    EXPECT_FALSE(mayStart(u"cmd /c echo %P", {u"a!b"}, true));
    EXPECT_TRUE(mayStart(u"cmd /v:off /c echo %P", {u"a!b"}, true));
}

TEST(InterpreterQuotes, ReadsTheLineInUtf16) {
    // ポ is U+30DD, whatever its code page 932 bytes (83 7C) hold; the spans are in units.
    const std::u16string line = u"\"x.bat\"  \"C:\\\u30DD\\a&b\"";
    EXPECT_EQ(entryRefusalOf(line, {{10, 8}}, InterpreterStart::BatchFile, false), Refusal::None);
    EXPECT_NE(entryRefusalOf(line, {{10, 9}}, InterpreterStart::BatchFile, false), Refusal::None);
    EXPECT_NE(entryRefusalOf(line, {{10, 20}}, InterpreterStart::BatchFile, false), Refusal::None);
    // A span the planned line puts exactly inside each entry's quotes, for every "%P".
    const AppTable table{{u"a=x %p y %P"}};
    const CommandLine planned = planLaunch(listOf({u"C:\\", u"b"}), u"a", &table, false, false, cp).commandLine;
    ASSERT_EQ(planned.entries.size(), 4u);
    std::vector<std::u16string> texts;
    for (const EntrySpan& e : planned.entries) texts.push_back(planned.line.substr(e.at, e.length));
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"C:\\\\", u"b", u"C:\\\\", u"b"}));
    EXPECT_EQ(planned.line[planned.entries[1].at - 1], u'"');
}

TEST(InterpreterQuotes, APercentInAnEntryOnAnInterpreterLineOnly) {
    // The interpreter expands "%...%" even inside quotes: an entry holding "%" is refused
    // where the line runs through it, and only there.
    for (const char16_t* entry : {u"%", u"C:\\100%\\a", u"%OS%.txt", u"表%", u"x%QM_Q%&echo INJECTED>f&rem "}) {
        EXPECT_FALSE(mayStart(u"x.bat %P", {u"C:\\a", entry})) << shown(entry);
        EXPECT_FALSE(mayStart(u"cmd /c type %P", {u"C:\\a", entry})) << shown(entry);
        // The interpreter named with a drive and no folder is the interpreter still.
        EXPECT_EQ(refusal(u"\"C:cmd.exe\" /c type %P", {u"C:\\a", entry}), Refusal::EntryChanged) << shown(entry);
        EXPECT_TRUE(mayStart(u"x.bat /q", {u"C:\\a", entry})) << shown(entry);
        EXPECT_TRUE(mayStart(u"notepad.exe %P", {u"C:\\a", entry})) << shown(entry);
    }
    for (const char16_t* entry : {u"", u"C:\\表\\ポ.txt", u"a&b^c!d", u"パケ", u"表 ポ"}) {
        EXPECT_TRUE(mayStart(u"x.bat %P", {entry})) << shown(entry);
        EXPECT_TRUE(mayStart(u"cmd /c type %P", {entry})) << shown(entry);
    }
}

TEST(InterpreterQuotes, EntriesReachTheInterpreterAsWrittenAndOtherProgramsDoubled) {
    // The interpreter reads no backslash as an escape: "C:\dir\" closes its quote as it is.
    const auto line = [](std::u16string_view t) {
        return planOf(t, {u"C:\\dir\\", u"\\", u"a\\\\", u"b\\c"}).commandLine.line;
    };
    EXPECT_EQ(line(u"\"C:\\d\\show.bat\" %P"), u"\"C:\\d\\show.bat\"  \"C:\\dir\\\" \"\\\" \"a\\\\\" \"b\\c\"");
    EXPECT_EQ(line(u"x.bat %P"), u"x.bat  \"C:\\dir\\\" \"\\\" \"a\\\\\" \"b\\c\"");
    EXPECT_EQ(line(u"cmd /c echo %P %p"),
              u"cmd /c echo  \"C:\\dir\\\" \"\\\" \"a\\\\\" \"b\\c\"  \"C:\\dir\\\" \"\\\" \"a\\\\\" \"b\\c\"");
    // Every other program splits its line by the argument rules: doubled.
    EXPECT_EQ(line(u"notepad.exe %P"), u"notepad.exe  \"C:\\dir\\\\\" \"\\\\\" \"a\\\\\\\\\" \"b\\c\"");
    EXPECT_EQ(line(u"\"C:\\x.bat\\app.exe\" %P"),
              u"\"C:\\x.bat\\app.exe\"  \"C:\\dir\\\\\" \"\\\\\" \"a\\\\\\\\\" \"b\\c\"");
    // The spans follow the entries as they went in.
    const LaunchPlan plan = planOf(u"x.bat %P", {u"C:\\dir\\", u"z"});
    ASSERT_EQ(plan.commandLine.entries.size(), 2u);
    EXPECT_EQ(plan.commandLine.line.substr(plan.commandLine.entries[0].at, plan.commandLine.entries[0].length),
              u"C:\\dir\\");
    EXPECT_EQ(plan.commandLine.line.substr(plan.commandLine.entries[1].at, plan.commandLine.entries[1].length), u"z");
    EXPECT_EQ(plan.interpreter, InterpreterStart::BatchFile);
    EXPECT_EQ(planOf(u"cmd /c echo %P", {u"a"}).interpreter, InterpreterStart::Interpreter);
    EXPECT_FALSE(planOf(u"notepad.exe %P", {u"a"}).interpreter.has_value());
}

TEST(InterpreterLength, TheInterpretersLineEndsAt8191Characters) {
    // "x.bat " and "cmd /c echo " with the list's space and quotes: 9 and 15 units beside the entry.
    using Beside = std::pair<const char16_t*, std::size_t>;
    for (const auto& [t, beside] : {Beside{u"x.bat %P", 9}, Beside{u"cmd /c echo %P", 15}}) {
        EXPECT_EQ(refusal(t, {std::u16string(8191 - beside, u'a')}), Refusal::None) << shown(t);
        EXPECT_EQ(refusal(t, {std::u16string(8192 - beside, u'a')}), Refusal::InterpreterLineTooLong) << shown(t);
        EXPECT_EQ(refusal(t, {std::u16string(32767 - beside, u'a')}), Refusal::LineTooLong) << shown(t);
    }
    // A template without "%P" is read alike.
    EXPECT_EQ(refusal(u"x.bat " + std::u16string(8186, u'a'), {}), Refusal::InterpreterLineTooLong);
    // Every other program: only what a process can take, 32,767 characters with the NUL.
    EXPECT_EQ(refusal(u"notepad.exe %P", {std::u16string(32766 - 15, u'a')}), Refusal::None);
    EXPECT_EQ(refusal(u"notepad.exe %P", {std::u16string(32767 - 15, u'a')}), Refusal::LineTooLong);
}

TEST(InterpreterCurrentFolder, ABareNameTheFolderHoldsIsRefused) {
    // The interpreter looks a name without a folder up in the current folder first.
    const CurrentFolderFinder here = finds({u"tb.bat", u"tb"});
    for (const char16_t* t :
         {u"tb.bat %P", u"\"tb.bat\" %P", u"tb.bat", u"cmd /c tb.bat %P", u"cmd /c tb %P", u"cmd /c \"\"tb.bat\" %P\"",
          u"cmd /s /c \"tb.bat %P\"", u"cmd /c @tb.bat %P", u"cmd /c (tb.bat %P)", u"cmd /c tb.bat/q %P",
          u"cmd /c tb,x %P", u"cmd /k tb.bat", u"cmd /c \"tb.bat\""})
        EXPECT_EQ(refusal(t, {u"C:\\a"}, false, here), Refusal::ProgramInCurrentFolder) << shown(t);
    // Named with a folder or a drive, another name, or no command to run: nothing is looked up there.
    for (const char16_t* t :
         {u"\"C:\\bin\\tb.bat\" %P", u"\".\\tb.bat\" %P", u"\"D:tb.bat\" %P", u"cmd /c C:\\bin\\tb.bat %P",
          u"cmd /c echo %P", u"cmd /c tbx.bat %P", u"cmd /c !tb! %P", u"cmd", u"cmd /q", u"notepad.exe %P"})
        EXPECT_EQ(refusal(t, {u"C:\\a"}, false, here), Refusal::None) << shown(t);
    // A name the interpreter changes before it looks it up, or one after a redirection: in doubt.
    for (const char16_t* t : {u"cmd /c %TB% %P", u"cmd /c t^b.bat %P", u"cmd /c >o.txt tb.bat %P",
                              u"cmd /c 2>nul tb.bat %P", u"cmd /v:on /c !TB! %P", u"cmd foo /c tb.bat"})
        EXPECT_EQ(refusal(t, {u"C:\\a"}), Refusal::ProgramNameInDoubt) << shown(t);
    // An interpreter with delayed expansion by default takes "!" for its own.
    EXPECT_EQ(refusal(u"cmd /c !TB! %P", {u"C:\\a"}, true), Refusal::ProgramNameInDoubt);
}

TEST(InterpreterCurrentFolder, EveryCommandTheInterpreterRunsIsLookedUp) {
    // "tb" has a look-alike in the current folder: wherever the interpreter runs it, the launch
    // is refused.
    const CurrentFolderFinder here = finds({u"tb", u"echo.x"});
    for (const char16_t* t : {u"cmd /c call tb %P",
                              u"cmd /c call call tb",
                              u"cmd /c start \"\" /b tb %P",
                              u"cmd /c start tb %P",
                              u"cmd /c start \"t\" /MIN /wait /node 1 /affinity 3 tb %P",
                              u"cmd /c if 1==1 tb %P",
                              u"cmd /c if /i not \"a b\" equ b tb %P",
                              u"cmd /c if not exist %P tb",
                              u"cmd /c if defined X tb %P",
                              u"cmd /c IF errorlevel 1 tb",
                              u"cmd /c if cmdextversion 2 tb",
                              u"cmd /c if a == b (echo) else tb %P",
                              u"cmd /c if a==b (echo) ELSE (ver & tb)",
                              u"cmd /c ver && tb %P",
                              u"cmd /c tb2 %P || tb %P",
                              u"cmd /c echo %P | tb",
                              u"cmd /c (echo & (tb %P))",
                              u"cmd /c for %f in (*.txt) do tb %P",
                              u"cmd /c for /r C:\\x %f in (a b) do (echo & tb)",
                              u"cmd /c for /d /f \"tokens=1\" %f in (a) do tb",
                              u"cmd /c echo %P 2>&1 >nul & tb",
                              u"cmd /c @echo off & @tb %P",
                              u"\"C:\\d\\show.bat\" %P & tb",
                              u"cmd /c echo \"&\" ^& x & tb",
                              u"cmd /c echo.x %P"})
        EXPECT_EQ(refusal(t, {u"C:\\a"}, false, here), Refusal::ProgramInCurrentFolder) << shown(t);
    // Beside a quoted program the entries stand outside quotes; without entries the second
    // command is found still.
    EXPECT_EQ(refusal(u"cmd /c \"C:\\bin\\x.exe\" %P & tb %P", {}, false, here), Refusal::ProgramInCurrentFolder);
    // Each name exactly: the commands' words, not their arguments, switches or conditions.
    const auto names = [](std::u16string_view line) {
        return programNamesWithoutFolder(line, InterpreterStart::Interpreter, false);
    };
    using Names = std::vector<std::u16string>;
    EXPECT_EQ(names(u"cmd /c ver && a x || (call b \"y\") | start \"t\" /b c z & if x==y d else e"),
              (Names{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(names(u"cmd /c if exist f (g) else (h 2>x) & for %i in (j) do k %i & \"l\" & m/n"),
              (Names{u"g", u"h", u"k", u"l", u"m"}));
}

TEST(InterpreterCurrentFolder, TheInterpretersOwnCommandsAreNeverLookedUp) {
    // Every name has a look-alike: only a word the interpreter runs as its own starts.
    const CurrentFolderFinder everything = [](const std::u16string&) { return true; };
    for (const char16_t* t :
         {u"cmd /c start \"\" %P", u"cmd /c echo %P", u"cmd /c ver & echo %P", u"cmd /c call echo %P",
          u"cmd /c if 1==1 echo %P", u"cmd /c for %f in (%P) do echo", u"cmd /c (set x=1) & cd & dir %P",
          u"cmd /c ECHO %P", u"cmd /c type %P && copy %P nul", u"cmd /c rem %P", u"cmd /c echo/ %P", u"cmd /c echo(%P",
          u"cmd /c if a==b (cls) else (title x)", u"cmd /c call \"%U%\\x.bat\" %P"})
        EXPECT_EQ(refusal(t, {u"C:\\a"}, false, everything), Refusal::None) << shown(t);
    for (const char16_t* name : {u"START", u"Cls", u"vol", u"mklink", u"pushd", u"setlocal", u"ftype", u"goto"})
        EXPECT_EQ(refusal(u"cmd /c " + std::u16string(name), {}, false, everything), Refusal::None) << shown(name);
    // Looked up as files: "break" by Wine's interpreter, the rest everywhere.
    for (const char16_t* name : {u"break", u"else", u"more", u"choice", u"help"})
        EXPECT_EQ(refusal(u"cmd /c ver & " + std::u16string(name), {}, false, everything),
                  Refusal::ProgramInCurrentFolder)
            << shown(name);
    // Quoted, the word is a program's name; and "start" may look a program of its name up first.
    EXPECT_EQ(refusal(u"cmd /c ver & \"echo\" x", {}, false, finds({u"echo"})), Refusal::ProgramInCurrentFolder);
    EXPECT_EQ(refusal(u"cmd /c start \"\" echo %P", {u"C:\\a"}, false, finds({u"echo"})),
              Refusal::ProgramInCurrentFolder);
}

TEST(InterpreterCurrentFolder, WhereTheModelCannotTellWhatIsLookedUpItRefuses) {
    for (const std::u16string& t : std::initializer_list<std::u16string>{
             u"cmd /c call if 1==1 tb",
             u"cmd /c call :x",
             u"cmd /c call.x tb",
             u"cmd /c start /d C:\\ tb",
             u"cmd /c start /x tb",
             u"cmd /c start/b tb",
             u"cmd /c for /f %f in ('tb') do echo",
             u"cmd /c for /f \"usebackq\" %f in (`tb`) do echo",
             u"cmd /c for /f eol=; %f in (x) do echo",
             u"cmd /c for %f in (x) tb",
             u"cmd /c cmd /c tb",
             u"cmd /c ver & C:\\Windows\\System32\\cmd.exe /c tb",
             u"cmd /c if a===b tb",
             u"cmd /c if a b tb",
             u"cmd /c if a==b",
             u"cmd /c if(1==1) tb",
             u"cmd /c ver &,tb",
             u"cmd /c ver & >o tb",
             u"cmd /c (tb",
             u"cmd /c ver & & tb",
             u"cmd /c ver & %X%",
             u"cmd /c %ComSpec% /c tb",
             u"cmd /c echo 2>&x",
             u"cmd /c " + std::u16string(70, u'(') + u"tb" + std::u16string(70, u')')})
        EXPECT_EQ(refusal(t, {}), Refusal::ProgramNameInDoubt) << shown(t);
    // Nested to a reasonable depth it is read.
    EXPECT_EQ(
        refusal(u"cmd /c " + std::u16string(20, u'(') + u"tb" + std::u16string(20, u')'), {}, false, finds({u"tb"})),
        Refusal::ProgramInCurrentFolder);
}

TEST(InterpreterQuotes, TheCommandsShapeIsToldFromWhatAnEntryHolds) {
    // The shape is wrong for every entry, and comes first; an entry's own "%" or line break is
    // another reason.
    EXPECT_EQ(refusal(u"cmd /c %P", {u"a"}), Refusal::EntryNotWhole);
    EXPECT_EQ(refusal(u"cmd /c %P", {u"100%"}), Refusal::EntryNotWhole);
    EXPECT_EQ(refusal(u"cmd /c echo %P", {u"100%"}), Refusal::EntryChanged);
    EXPECT_EQ(refusal(u"cmd /c echo %P", {u"a\nb"}), Refusal::EntryChanged);
    // A second interpreter takes the default for delayed expansion, whatever "/v:off" says.
    EXPECT_EQ(refusal(u"cmd /v:off /c echo %P | more", {u"a!b"}, true), Refusal::EntryChanged);
    EXPECT_EQ(refusal(u"cmd /v:off /c start \"\" x.bat %P", {u"a!b"}, true), Refusal::EntryChanged);
    EXPECT_EQ(refusal(u"cmd /v:off /c echo %P | more", {u"a!b"}, false), Refusal::None);
}

}  // namespace
}  // namespace qm
