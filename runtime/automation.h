// SPDX-License-Identifier: GPL-3.0-or-later
// Late-bound automation: objects reached by dispatch identifiers, arguments
// and results as variants. The word-processor objects (word_automation.h)
// speak only this; behind it stands either the run time's document-print
// engine or, in tests, a server that records every call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rt {

class Dispatch;
using DispatchRef = std::shared_ptr<Dispatch>;

enum class VariantType { Empty, I2, I4, R4, Bool, String, Error, Object };

// The HRESULT an omitted optional argument carries.
inline constexpr std::int32_t kParamNotFound = static_cast<std::int32_t>(0x80020004u);

struct Variant {
    VariantType type = VariantType::Empty;
    std::int32_t integer = 0;  // I2, I4, Bool (-1 true, 0 false), Error (an HRESULT)
    float real = 0;            // R4
    std::u16string string;     // String: an automation string (UTF-16)
    DispatchRef object;        // Object

    static Variant i2(std::int16_t v) { return make(VariantType::I2, v); }
    static Variant i4(std::int32_t v) { return make(VariantType::I4, v); }
    static Variant r4(float v) {
        Variant out = make(VariantType::R4, 0);
        out.real = v;
        return out;
    }
    static Variant boolean(bool v) { return make(VariantType::Bool, v ? -1 : 0); }
    static Variant str(std::u16string v) {
        Variant out = make(VariantType::String, 0);
        out.string = std::move(v);
        return out;
    }
    static Variant omitted() { return make(VariantType::Error, kParamNotFound); }
    static Variant dispatch(DispatchRef v) {
        Variant out = make(VariantType::Object, 0);
        out.object = std::move(v);
        return out;
    }
    static Variant make(VariantType type, std::int32_t integer) {
        Variant out;
        out.type = type;
        out.integer = integer;
        return out;
    }

    friend bool operator==(const Variant&, const Variant&) = default;
};

enum class InvokeKind { Method, PropertyGet, PropertyPut };

struct InvokeResult {
    bool ok = false;  // false: the server raised an error
    Variant value;
};

class Dispatch {
public:
    virtual ~Dispatch() = default;
    // Arguments in the member's parameter order (the first parameter first),
    // each passed by reference: the server may write back into them.
    virtual InvokeResult invoke(int dispid, InvokeKind kind, std::vector<Variant>& args) = 0;
    // Attaches an event sink to the object's outgoing events.
    virtual bool connectEvents() { return false; }
};

// What starts an automation server from its programmatic identifier.
class AutomationServer {
public:
    virtual ~AutomationServer() = default;
    // Null when nothing answers to the identifier or it cannot start.
    virtual DispatchRef createObject(const std::u16string& progId) = 0;
};

// The server the word-processor objects start; the document-print engine
// unless a test put another in its place. Null restores the engine.
AutomationServer& automationServer();
void setAutomationServer(std::shared_ptr<AutomationServer> server);

}  // namespace rt
