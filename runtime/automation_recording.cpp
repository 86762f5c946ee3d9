// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/automation_recording.h"

#include <functional>
#include <map>

#include <QFile>
#include <QString>

namespace rt {
namespace {

struct Member {
    const char* name;
    // The kind of object the member returns, or "" for none.
    const char* returns;
};

using Key = std::pair<int, InvokeKind>;

const std::map<std::string, std::map<Key, Member>>& typeLibrary() {
    using K = InvokeKind;
    static const std::map<std::string, std::map<Key, Member>> library = {
        {"Application",
         {{{6, K::PropertyGet}, {"Documents", "Documents"}},
          {{5, K::PropertyGet}, {"Selection", "Selection"}},
          {{0x17, K::PropertyPut}, {"Visible", ""}},
          {{0x451, K::Method}, {"Quit", ""}}}},
        {"Documents",
         {{{0x3ea, K::PropertyGet}, {"Parent", "Application"}},
          {{14, K::Method}, {"Add", "Document"}},
          {{15, K::Method}, {"Open", "Document"}}}},
        {"Document", {{{0x1bc, K::Method}, {"PrintOut", ""}}, {{0x451, K::Method}, {"Close", ""}}}},
        {"Selection", {{{5, K::PropertyGet}, {"Font", "Font"}}}},
        {"Font", {{{0x8d, K::PropertyPut}, {"Size", ""}}}},
    };
    return library;
}

class RecordedObject : public Dispatch, public std::enable_shared_from_this<RecordedObject> {
public:
    RecordedObject(RecordingAutomation& server, std::string kind, std::function<DispatchRef()> parent)
        : server_(server), kind_(std::move(kind)), name_(server.nextName(kind_)), parent_(std::move(parent)) {}

    InvokeResult invoke(int dispid, InvokeKind kind, std::vector<Variant>& args) override {
        const auto& members = typeLibrary().at(kind_);
        const auto found = members.find({dispid, kind});
        server_.record({name_, found == members.end() ? "?" : found->second.name, dispid, kind, args});
        if (found == members.end()) return {};
        const std::string returns = found->second.returns;
        if (returns.empty()) return {true, {}};
        if (kind_ == "Documents" && returns == "Application") return {true, Variant::dispatch(parent_())};
        if (returns == "Document" && server_.faults().openFails) return {};
        // Children hold their parent weakly, as the server's object graph would.
        std::weak_ptr<RecordedObject> self = weak_from_this();
        return {true, Variant::dispatch(std::make_shared<RecordedObject>(server_, returns, [self] { return self.lock(); }))};
    }

    bool connectEvents() override {
        server_.record({name_, "ConnectEvents", 0, InvokeKind::Method, {}});
        return true;
    }

private:
    RecordingAutomation& server_;
    std::string kind_;
    std::string name_;
    std::function<DispatchRef()> parent_;
};

}  // namespace

void RecordingAutomation::record(RecordedCall call) {
    if (onCall) onCall(call);
    if (call.member == "Open" && !call.args.empty() && call.args[0].type == VariantType::String) {
        QFile file(QString::fromStdU16String(call.args[0].string));
        opened_.push_back(file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>");
    }
    calls_.push_back(std::move(call));
}

DispatchRef RecordingAutomation::createObject(const std::u16string& progId) {
    record({"", "CreateObject", 0, InvokeKind::Method, {Variant::str(progId)}});
    if (faults_.startFails || progId != u"Word.Application") return nullptr;
    return std::make_shared<RecordedObject>(*this, "Application", [] { return nullptr; });
}

}  // namespace rt
