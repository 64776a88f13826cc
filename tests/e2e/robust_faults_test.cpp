// Faults around the running tool and hostile messages from other programs: the tool keeps
// running, keeps answering, and its run list keeps every entry it had.
#include <gtest/gtest.h>

#include <thread>

#include "keys_input.h"
#include "sources_support.h"
#include "ui/resource.h"
#include "wide_names.h"

namespace qm::e2e {
namespace {

const std::string kIni = IniText().at(10, 20).size(400, 300).apps({"missing=C:\\no\\such\\program.exe %P"}).bytes();

class Faults : public ToolTest {
protected:
    void SetUp() override {
        ASSERT_NE(startTool(kIni, "one \"two 2\" \x83\x7C\x95\x5C"), nullptr);
        list_ = list();
    }

    const std::vector<std::string> kFirst{"one", "two 2", "\x83\x7C\x95\x5C"};
    HWND list_ = nullptr;
};

TEST_F(Faults, AProgramThatDoesNotExistIsReportedAndTheListStays) {
    PostMessageW(control(main_, kIdButton6), BM_CLICK, 0, 0);
    const HWND box = findMessageBox(process_.pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).text, std::string("missing") + kCannotStart + ".");
    pressOk(box);
    EXPECT_TRUE(answers(main_));
    EXPECT_EQ(items(), kFirst);
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(Faults, TheLongestEntryALaterStartSendsIsReadWholeByAnotherProgram) {
    // The largest code page block a later start sends, all one entry.
    std::string big(65535, 'm');
    for (std::size_t at = 1000; at + 2 < big.size(); at += 4099) big.replace(at, 2, "\x95\x5C");  // 表
    sendCopyData(main_, big.data(), static_cast<DWORD>(big.size()));
    ASSERT_TRUE(answers(main_));
    ASSERT_EQ(SendMessageW(list_, LB_GETCOUNT, 0, 0), 4);
    // Read with the W messages, as from any program.
    EXPECT_TRUE(items().back() == big);
    EXPECT_TRUE(answers(main_));
    EXPECT_EQ(process_.wait(0), -1);
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(Faults, NeitherDialogOpensWhileOneOfThemIsOpen) {
    // The folder browser is owned by the main window, the file dialog by the application window.
    const HWND app = GetWindow(main_, GW_OWNER);
    auto dialogs = [&] {
        int n = 0;
        for (HWND w : topLevelWindowsOf(process_.pid())) n += IsWindowVisible(w) && className(w) == "#32770";
        return n;
    };
    for (UINT first : {kIdButton2, kIdButton1}) {
        PostMessageW(control(main_, first), BM_CLICK, 0, 0);
        const HWND dialog = ownedDialog(first == kIdButton2 ? main_ : app);
        ASSERT_NE(dialog, nullptr) << first;
        // Commands that any program can post reach the disabled main window through the
        // dialog's own loop; they are ignored.
        for (UINT id : {kIdButton1, kIdButton2})
            PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control(main_, id)));
        Sleep(1500);
        EXPECT_EQ(dialogs(), 1) << first;
        press(dialog, IDCANCEL);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
        ASSERT_TRUE(answers(main_));
        EXPECT_EQ(dialogs(), 0) << first;
    }
    EXPECT_EQ(items(), kFirst);
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(Faults, SettingsFileDeletedWhileRunningIsWrittenAnewOnClosing) {
    ASSERT_TRUE(DeleteFileA(tool_->iniPath().c_str()));
    PostMessageA(main_, WM_CLOSE, 0, 0);
    EXPECT_EQ(process_.wait(), 0);
    const std::string ini = readFile(tool_->iniPath());
    EXPECT_EQ(iniValue(ini, "Pos", "Left"), "20");
    EXPECT_EQ(iniValue(ini, "Pos", "Top"), "10");
}

// (A read-only attribute does not stop a process running as root under Wine, so the file is
// taken away for good: a folder of its name stands in its place.)
TEST_F(Faults, SettingsFileReplacedByAFolderShowsTheErrorBoxAndStillCloses) {
    ASSERT_TRUE(DeleteFileA(tool_->iniPath().c_str()));
    ASSERT_TRUE(CreateDirectoryA(tool_->iniPath().c_str(), nullptr));
    PostMessageA(main_, WM_CLOSE, 0, 0);
    const HWND box = findMessageBox(process_.pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).text, tool_->iniPath() + toAcp(L" に書き込めません."));
    // Until the box is answered the list is all there.
    EXPECT_EQ(items(), kFirst);
    pressOk(box);
    EXPECT_EQ(process_.wait(), 0);
    EXPECT_TRUE(GetFileAttributesA(tool_->iniPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(Faults, AHandOffWhoseSenderDiesBeforeDeliveryLosesNothingElse) {
    // The window's thread is held still, so that a later start's message waits for it; the
    // sender is ended while it waits, and the thread let go.
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(main_, nullptr));
    ASSERT_NE(thread, nullptr);
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
        Process sender = tool_->start("dying" + std::to_string(i) + " " + std::string(400, 'x'));
        Sleep(1000 + 100 * i);  // long enough to have found the window and sent
        EXPECT_TRUE(sender.running()) << "the sender did not wait for the held window";
        sender.end();
        ResumeThread(thread);
        EXPECT_TRUE(answers(main_));
        // The hand-off came whole or not at all.
        std::vector<std::string> now = items();
        ASSERT_GE(now.size(), kFirst.size());
        EXPECT_EQ(std::vector<std::string>(now.begin(), now.begin() + 3), kFirst);
        EXPECT_TRUE(now.size() == 3 ||
                    (now.size() == 5 && now[3] == "dying" + std::to_string(i) && now[4] == std::string(400, 'x')))
            << now.size() << " entries";
        for (std::size_t k = now.size(); k > 3; --k) SendMessageW(list_, LB_DELETESTRING, k - 1, 0);
    }
    CloseHandle(thread);
    // A later start still gets through.
    EXPECT_EQ(tool_->start("after").wait(), 0);
    EXPECT_EQ(items().back(), "after");
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(Faults, SixteenMebibytesOfHandOffAreDeclinedAndTheWindowGoesOn) {
    // No NUL anywhere: 16,384 pieces of 1,023 bytes between bars, the last one 1,024. Far more
    // than any later start sends: declined as it comes, the list as it was.
    std::string text;
    text.reserve(16u << 20);
    for (int i = 0; i < 16384; ++i) {
        if (i > 0) text += '|';
        std::string piece = std::to_string(i);
        piece.resize(i < 16383 ? 1023 : 1024, static_cast<char>('a' + i % 26));
        text += piece;
    }
    ASSERT_EQ(text.size(), 16u << 20);
    EXPECT_TRUE(sendCopyData(main_, text.data(), static_cast<DWORD>(text.size())));
    ASSERT_TRUE(answers(main_));
    EXPECT_EQ(items(), kFirst);
    // A later start still gets through.
    EXPECT_EQ(tool_->start("after").wait(), 0);
    EXPECT_EQ(items().back(), "after");
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(Faults, AHandOffTooLargeToBeHandedOverLosesNothingElse) {
    // 48 MiB: more than the window's thread can take under Wine, which hands a message's data
    // over on that thread's stack. The message is lost or declined, and the window goes on.
    std::string text(48u << 20, 'h');
    text.replace(0, 6, "huge|x");
    // Sent from a thread of its own: a sender whose message was lost may wait for its full
    // time, and meanwhile the window answers others.
    std::thread sender([&] { sendCopyData(main_, text.data(), static_cast<DWORD>(text.size())); });
    Sleep(2000);
    const DWORD asked = GetTickCount();
    ASSERT_TRUE(answers(main_));
    EXPECT_LT(GetTickCount() - asked, 1000u) << "the window is held up by the lost message";
    sender.join();
    EXPECT_EQ(process_.wait(0), -1);
    EXPECT_EQ(items(), kFirst);
    // Later hand-offs still arrive.
    EXPECT_EQ(tool_->start("after").wait(), 0);
    EXPECT_EQ(items().back(), "after");
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(Faults, DropMessagesWhoseHandleIsNoDropAreIgnored) {
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION, FALSE, process_.pid());
    ASSERT_NE(process, nullptr);
    // Readable memory of the tool holding something other than a drop block: the names'
    // offset points far outside, or the names never end.
    std::string farOffset(4096, 'x');
    farOffset.replace(0, 4, "\x4D\x5A\x90\x00", 4);
    std::string unended(4096, 'y');
    unended.replace(0, 20, std::string("\x14\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20));
    std::vector<WPARAM> handles{0, 1, 0x12345678, 0xDEADBEEF, 0x7FFE0000};
    for (const std::string& bytes : {farOffset, unended}) {
        void* remote = VirtualAllocEx(process, nullptr, bytes.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        ASSERT_NE(remote, nullptr);
        ASSERT_TRUE(WriteProcessMemory(process, remote, bytes.data(), bytes.size(), nullptr));
        handles.push_back(reinterpret_cast<WPARAM>(remote));
    }
    // The program's own image: readable, and no drop block.
    handles.push_back(static_cast<WPARAM>(GetWindowLongPtrW(main_, GWLP_HINSTANCE)));
    for (WPARAM h : handles) {
        PostMessageW(main_, WM_DROPFILES, h, 0);
        SendMessageW(main_, WM_DROPFILES, h, 0);
        ASSERT_TRUE(answers(main_)) << std::hex << h;
    }
    EXPECT_EQ(items(), kFirst);
    EXPECT_EQ(process_.wait(0), -1);
    CloseHandle(process);
    EXPECT_TRUE(tool_->close(main_));
}

// What another program can send a window or write on it: none of it takes the window over or
// nests the tool's error boxes, and the window goes on working.
class FromOtherPrograms : public Faults {
protected:
    // `bytes` written into the tool's memory; their address there.
    LPARAM inTool(const void* bytes, std::size_t size) {
        const test::Handle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process_.pid()));
        void* remote = VirtualAllocEx(process.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        EXPECT_TRUE(remote && WriteProcessMemory(process.get(), remote, bytes, size, nullptr));
        return reinterpret_cast<LPARAM>(remote);
    }
    int boxes() const {
        int n = 0;
        for (HWND w : topLevelWindowsOf(process_.pid())) n += IsWindowVisible(w) && className(w) == "#32770";
        return n;
    }
    // A hand-off is appended, "クリア" removes the selected entry, and the close writes the
    // settings and ends the tool.
    void expectTheWindowStillWorks() {
        sendCopyData(main_, "late", 4);
        SendMessageW(list_, LB_SETSEL, TRUE, 0);
        SendMessageW(control(main_, kIdButton3), BM_CLICK, 0, 0);
        EXPECT_EQ(items(), (std::vector<std::string>{"two 2", "\x83\x7C\x95\x5C", "late"}));
        ASSERT_TRUE(tool_->close(main_));
        EXPECT_EQ(process_.wait(), 0);
        const std::string ini = readFile(tool_->iniPath());
        EXPECT_EQ(iniValue(ini, "Pos", "Left"), "20");
        EXPECT_EQ(iniValue(ini, "check", "clear"), "0");
    }
};

TEST_F(FromOtherPrograms, ALaterNcCreateNamesNoObject) {
    // Creation data whose object would be a block of the tool's memory full of "A".
    const std::string block(4096, 'A');
    CREATESTRUCTA cs{};
    cs.lpCreateParams = reinterpret_cast<void*>(inTool(block.data(), block.size()));
    const LPARAM bogus = inTool(&cs, sizeof cs);
    Spy spy(main_);  // a hook inside the tool's thread sends them
    spy.sendNcCreate(0);
    spy.sendNcCreate(bogus);
    ASSERT_TRUE(answers(main_));
    expectTheWindowStillWorks();
}

TEST_F(FromOtherPrograms, UserDataWrittenOnItsWindowsChangesNothing) {
    for (HWND w : {main_, list_, control(main_, kIdGroupBox1)}) {
        SetWindowLongPtrW(w, GWLP_USERDATA, 0x1230);
        ASSERT_EQ(GetWindowLongPtrW(w, GWLP_USERDATA), 0x1230);
    }
    expectTheWindowStillWorks();
}

TEST_F(FromOtherPrograms, PostedCommandsOpenOneErrorBoxAtATimeAndHandOffsStillArrive) {
    // "missing" cannot start: the first click opens the error box, in whose loop the rest of
    // the clicks and the menu's "オールクリア" arrive.
    for (int i = 0; i < 400; ++i) PostMessageW(control(main_, kIdButton6), BM_CLICK, 0, 0);
    PostMessageW(main_, WM_COMMAND, MAKEWPARAM(kIdN3, 0), 0);
    PostMessageW(list_, LB_SETSEL, TRUE, 2);  // taken after all of them
    ASSERT_TRUE(waitUntil([&] { return SendMessageW(list_, LB_GETSEL, 2, 0) > 0; })) << boxes() << " boxes open";
    EXPECT_EQ(boxes(), 1);
    sendCopyData(main_, "late", 4);
    EXPECT_EQ(items(), (std::vector<std::string>{"one", "two 2", "\x83\x7C\x95\x5C", "late"}));
    pressOk(findMessageBox(process_.pid()));
    ASSERT_TRUE(waitUntil([&] { return boxes() == 0; }));
    ASSERT_TRUE(answers(main_));
    EXPECT_EQ(boxes(), 0);
    EXPECT_TRUE(tool_->close(main_));
}

// The list holds 32,767 entries. A hand-off that would go past them adds what fits and says
// so once; one that comes while the error box is open is said when that box closes, each text
// once however often it came. Every sender is answered while the box waits for the user.
TEST_F(FromOtherPrograms, WhatTheFullListRefusesIsSaidOnceEvenWhileABoxIsOpen) {
    // 行を挿入できません, a line break, 残りのパスは追加されませんでした, and the "." rule.
    const std::string refused =
        "\x8D\x73\x82\xF0\x91\x7D\x93\xFC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\n"
        "\x8E\x63\x82\xE8\x82\xCC\x83\x70\x83\x58\x82\xCD\x92\xC7\x89\xC1\x82\xB3\x82\xEA\x82\xDC\x82\xB9\x82\xF1"
        "\x82\xC5\x82\xB5\x82\xBD.";
    // 32,763 empty entries and "fits": the list is full.
    const std::string fill = std::string(32763, '|') + "fits|over|more";
    EXPECT_TRUE(sendCopyData(main_, fill.data(), static_cast<DWORD>(fill.size() + 1)));
    HWND box = findMessageBox(process_.pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(readMessageBox(box).text, refused);
    ASSERT_EQ(SendMessageW(list_, LB_GETCOUNT, 0, 0), 32767);
    EXPECT_EQ(items().back(), "fits");
    pressOk(box);
    ASSERT_TRUE(waitUntil([&] { return boxes() == 0; }));

    // "missing" cannot start: its box is open while three more hand-offs come.
    PostMessageW(control(main_, kIdButton6), BM_CLICK, 0, 0);
    box = findMessageBox(process_.pid());
    ASSERT_NE(box, nullptr);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(sendCopyData(main_, "late|later", 11)) << i;
    EXPECT_EQ(boxes(), 1);
    // The full list makes a line too long to start: the box says so on its second line.
    EXPECT_EQ(readMessageBox(box).text.rfind(std::string("missing") + kCannotStart + "\n", 0), 0u);
    pressOk(box);
    // Then the refusal, once.
    ASSERT_TRUE(waitUntil([&] { return boxes() == 1 && findMessageBox(process_.pid()) != box; }));
    const HWND next = findMessageBox(process_.pid());
    EXPECT_EQ(readMessageBox(next).text, refused);
    pressOk(next);
    ASSERT_TRUE(waitUntil([&] { return boxes() == 0; }));
    EXPECT_EQ(findMessageBox(process_.pid(), 1500), nullptr);
    EXPECT_TRUE(enabledAgain());
    EXPECT_TRUE(tool_->close(main_));
}

TEST_F(FromOtherPrograms, DestroyMessagesItDidNotAskForChangeNothing) {
    // Posted and sent, to the window, to each kind of control in it and to the drop-down's list.
    HWND dropDownList = nullptr;
    for (HWND w : topLevelWindowsOf(process_.pid()))
        if (className(w) == "ComboLBox") dropDownList = w;
    ASSERT_NE(dropDownList, nullptr);
    for (HWND w : {main_, list_, control(main_, kIdGroupBox1), control(main_, kIdComboBox1), control(main_, kIdButton3),
                   control(main_, kIdCheckBox1), control(main_, kIdLabel1), dropDownList}) {
        for (UINT msg : {WM_NCDESTROY, WM_DESTROY}) {
            PostMessageW(w, msg, 0, 0);
            SendMessageW(w, msg, 0, 0);
        }
    }
    ASSERT_TRUE(answers(main_));
    EXPECT_EQ(items(), kFirst);
    EXPECT_EQ(comboItems(control(main_, kIdComboBox1)), std::vector<std::string>{"missing"});
    EXPECT_EQ(SendMessageW(control(main_, kIdComboBox1), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageW(control(main_, kIdCheckBox1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(windowText(control(main_, kIdLabel1)), kAppLabel);
    expectTheWindowStillWorks();
    // The mutex went with the process: the next start opens a window of its own.
    Process next = tool_->start("again");
    const HWND window = findMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(processOf(window), next.pid());
    EXPECT_EQ(listItems(control(window, kIdListBox1)), std::vector<std::string>{"again"});
    EXPECT_TRUE(tool_->close(window));
}

TEST_F(FromOtherPrograms, AQuitMessageClosesTheWindowAsTheCloseBoxDoes) {
    // Moved, so that only a close that writes the settings changes the stored place.
    SetWindowPos(main_, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageW(main_, WM_QUIT, 7, 0);
    EXPECT_EQ(process_.wait(), 0);
    const std::string ini = readFile(tool_->iniPath());
    EXPECT_EQ(iniValue(ini, "Pos", "Left"), "30");
    EXPECT_EQ(iniValue(ini, "Pos", "Top"), "40");
}

TEST_F(FromOtherPrograms, ATimerMessageWithAFunctionCallsNothing) {
    // ExitProcess lies at the same address in the tool's process as in this one.
    const auto exitProcess = reinterpret_cast<LPARAM>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "ExitProcess"));
    ASSERT_NE(exitProcess, 0);
    auto postTimers = [&](std::initializer_list<HWND> windows) {
        for (HWND w : windows) PostMessageW(w, WM_TIMER, 1, exitProcess);
    };
    // Taken after the messages posted before it, by whichever loop runs.
    auto allTaken = [&](int entry) {
        PostMessageW(list_, LB_SETSEL, TRUE, entry);
        return waitUntil([&] { return SendMessageW(list_, LB_GETSEL, entry, 0) > 0; });
    };
    // The tool's own loop.
    postTimers({main_, list_, control(main_, kIdButton6)});
    ASSERT_TRUE(allTaken(0));
    // The error box's loop ("missing" cannot start).
    PostMessageW(control(main_, kIdButton6), BM_CLICK, 0, 0);
    const HWND box = findMessageBox(process_.pid());
    ASSERT_NE(box, nullptr);
    postTimers({main_, box});
    ASSERT_TRUE(allTaken(1));
    EXPECT_TRUE(IsWindow(box));
    pressOk(box);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    // The file dialog's loop.
    PostMessageW(control(main_, kIdButton1), BM_CLICK, 0, 0);
    const HWND dialog = ownedDialog(GetWindow(main_, GW_OWNER));
    ASSERT_NE(dialog, nullptr);
    postTimers({main_, dialog});
    ASSERT_TRUE(allTaken(2));
    press(dialog, IDCANCEL);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(enabledAgain());
    EXPECT_EQ(process_.wait(0), -1);
    for (int i = 0; i < 3; ++i) SendMessageW(list_, LB_SETSEL, FALSE, i);
    expectTheWindowStillWorks();
}

TEST(FromOtherProgramsLaunch, AnApplicationNameOf600CharactersLaunches) {
    std::string name;
    for (int i = 0; i < 300; ++i)
        name +=
            "\x95\x5C"
            "a";  // 表a
    Tool tool(IniText().withoutPos().apps({name + "=\"" + programDir() + "\\qm_probe.exe\" %P"}).bytes());
    ProbeOutput output(tool);
    const HWND main = tool.startAndWait("one \"two 2\"");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(launchedPaths(tool, main), (std::vector<std::wstring>{L"one", L"two 2"}));
    EXPECT_TRUE(tool.close(main));
}

TEST(FromOtherProgramsNotice, ACloseDuringTheMissingFileNoticeEndsTheToolWritingNothing) {
    Tool tool(nullptr);
    Process p = tool.start("a");
    ASSERT_NE(findMessageBox(p.pid()), nullptr);
    const HWND main = findTopLevel([&](HWND w) { return processOf(w) == p.pid() && className(w) == "TQuillmoorMW"; });
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.wait(), 0);
    EXPECT_FALSE(fileExists(tool.iniPath()));
}

TEST(FromOtherProgramsNotice, DestroyAndTimerMessagesDuringTheMissingFileNoticeChangeNothing) {
    Tool tool(nullptr);
    Process p = tool.start("a");
    const HWND box = findMessageBox(p.pid());
    ASSERT_NE(box, nullptr);
    const HWND main = findTopLevel([&](HWND w) { return processOf(w) == p.pid() && className(w) == "TQuillmoorMW"; });
    ASSERT_NE(main, nullptr);
    const HWND list = control(main, kIdListBox1);
    const auto exitProcess = reinterpret_cast<LPARAM>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "ExitProcess"));
    for (HWND w : {main, list}) {
        PostMessageW(w, WM_NCDESTROY, 0, 0);
        PostMessageW(w, WM_DESTROY, 0, 0);
    }
    for (HWND w : {main, list, box}) PostMessageW(w, WM_TIMER, 1, exitProcess);
    // Taken by the notice's loop after all of them: the notice still waits for its answer.
    PostMessageW(list, LB_SETSEL, TRUE, 0);
    ASSERT_TRUE(waitUntil([&] { return SendMessageW(list, LB_GETSEL, 0, 0) > 0; }));
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(p.wait(0), -1);
    pressOk(box);
    EXPECT_EQ(p.wait(), 0);
    EXPECT_FALSE(fileExists(tool.iniPath()));
}

}  // namespace
}  // namespace qm::e2e
