// SPDX-License-Identifier: GPL-3.0-or-later
// An automation server for tests: it models the word processor's objects
// (application, documents, document, selection, font) just far enough to
// answer every call with the right kind of object, and records each call in
// order, naming the member from its own table so that a wrong dispatch
// identifier shows up as "?".
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "runtime/automation.h"

namespace rt {

struct RecordedCall {
    std::string object;  // "Application#1", "Documents#1", ...; "" for the server itself
    std::string member;  // "Documents", "Open", "PrintOut", ...; "?" when the object has no such member
    int dispid = 0;
    InvokeKind kind = InvokeKind::Method;
    std::vector<Variant> args;

    // Compared without object results, which tests cannot name.
    friend bool operator==(const RecordedCall&, const RecordedCall&) = default;
};

class RecordingAutomation : public AutomationServer {
public:
    struct Faults {
        bool startFails = false;  // createObject answers with nothing
        bool openFails = false;   // Documents.Open raises an error
    };
    RecordingAutomation() = default;
    explicit RecordingAutomation(Faults faults) : faults_(faults) {}

    DispatchRef createObject(const std::u16string& progId) override;
    const std::vector<RecordedCall>& calls() const { return calls_; }
    void record(RecordedCall call);
    // Called with each call as it arrives, before it is answered: a test can
    // act between two requests of the program.
    std::function<void(const RecordedCall&)> onCall;
    // The bytes of each file Documents.Open was asked for, read as it was
    // asked ("<missing>" when there was no such file).
    const std::vector<std::string>& openedFiles() const { return opened_; }
    // Numbers each kind of object as it is made: Application#1, Application#2...
    std::string nextName(const std::string& kind) { return kind + "#" + std::to_string(++made_[kind]); }
    const Faults& faults() const { return faults_; }

private:
    Faults faults_;
    std::vector<RecordedCall> calls_;
    std::vector<std::string> opened_;
    std::map<std::string, int> made_;
};

}  // namespace rt
