// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/e2e/atspi_client.h"

#include <atspi/atspi.h>

#include <thread>
#include <utility>

namespace e2e {
namespace {

// A failed call (the object went away) reads as empty: the tests look again.
std::string take(gchar* text, GError* error) {
    if (error != nullptr) g_error_free(error);
    if (text == nullptr) return {};
    std::string result(text);
    g_free(text);
    return result;
}

bool stateOf(AtspiAccessible* object, AtspiStateType state) {
    AtspiStateSet* set = atspi_accessible_get_state_set(object);
    if (set == nullptr) return false;
    const bool has = atspi_state_set_contains(set, state);
    g_object_unref(set);
    return has;
}

}  // namespace

Accessible::Accessible(AtspiAccessible* object) : object_(object) {}

Accessible::Accessible(const Accessible& other) : object_(other.object_) {
    if (object_ != nullptr) g_object_ref(object_);
}

Accessible& Accessible::operator=(Accessible other) {
    std::swap(object_, other.object_);
    return *this;
}

Accessible::~Accessible() {
    if (object_ != nullptr) g_object_unref(object_);
}

std::string Accessible::role() const {
    GError* error = nullptr;
    return take(atspi_accessible_get_role_name(object_, &error), error);
}

std::string Accessible::name() const {
    GError* error = nullptr;
    return take(atspi_accessible_get_name(object_, &error), error);
}

std::string Accessible::description() const {
    GError* error = nullptr;
    return take(atspi_accessible_get_description(object_, &error), error);
}

bool Accessible::showing() const { return stateOf(object_, ATSPI_STATE_SHOWING); }

bool Accessible::focusable() const { return stateOf(object_, ATSPI_STATE_FOCUSABLE); }

std::vector<Accessible> Accessible::children() const {
    std::vector<Accessible> result;
    GError* error = nullptr;
    const int count = atspi_accessible_get_child_count(object_, &error);
    if (error != nullptr) {
        g_error_free(error);
        return result;
    }
    for (int i = 0; i < count; ++i) {
        AtspiAccessible* child = atspi_accessible_get_child_at_index(object_, i, &error);
        if (error != nullptr) {
            g_error_free(error);
            error = nullptr;
        }
        if (child != nullptr) result.emplace_back(child);
    }
    return result;
}

Accessible Accessible::find(const std::function<bool(const Accessible&)>& match) const {
    if (match(*this)) return *this;
    for (const Accessible& child : children()) {
        if (Accessible found = child.find(match)) return found;
    }
    return {};
}

Accessible Accessible::find(const std::string& role, const std::string& name) const {
    return find([&](const Accessible& a) { return a.role() == role && a.name() == name; });
}

bool Accessible::press() const {
    AtspiAction* action = atspi_accessible_get_action_iface(object_);
    if (action == nullptr) return false;
    bool pressed = false;
    GError* error = nullptr;
    const int count = atspi_action_get_n_actions(action, &error);
    for (int i = 0; error == nullptr && i < count && !pressed; ++i) {
        if (take(atspi_action_get_action_name(action, i, &error), nullptr) == "Press")
            pressed = atspi_action_do_action(action, i, &error);
    }
    if (error != nullptr) g_error_free(error);
    g_object_unref(action);
    return pressed;
}

bool Accessible::setText(const std::string& utf8) const {
    AtspiEditableText* editable = atspi_accessible_get_editable_text_iface(object_);
    if (editable == nullptr) return false;
    GError* error = nullptr;
    const bool done = atspi_editable_text_set_text_contents(editable, utf8.c_str(), &error);
    if (error != nullptr) g_error_free(error);
    g_object_unref(editable);
    return done;
}

std::string Accessible::text() const {
    AtspiText* text = atspi_accessible_get_text_iface(object_);
    if (text == nullptr) return {};
    GError* error = nullptr;
    std::string result = take(atspi_text_get_text(text, 0, -1, &error), error);
    g_object_unref(text);
    return result;
}

NameChanges::NameChanges() {
    initAtspi();
    listener_ = atspi_event_listener_new(record, this, nullptr);
    GError* error = nullptr;
    atspi_event_listener_register(listener_, "object:property-change:accessible-name", &error);
    if (error != nullptr) g_error_free(error);
}

NameChanges::~NameChanges() {
    GError* error = nullptr;
    atspi_event_listener_deregister(listener_, "object:property-change:accessible-name", &error);
    if (error != nullptr) g_error_free(error);
    g_object_unref(listener_);
}

const std::vector<std::string>& NameChanges::names() {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    return names_;
}

void NameChanges::record(AtspiEvent* event, void* self) {
    // The toolkit sends the object, not its new name: ask the object.
    if (event->source != nullptr) {
        g_object_ref(event->source);
        static_cast<NameChanges*>(self)->names_.push_back(Accessible(event->source).name());
    }
    g_boxed_free(ATSPI_TYPE_EVENT, event);
}

void initAtspi() {
    static const bool started = [] {
        atspi_init();
        // The program changes under the test's feet (windows come and go,
        // captions change): ask it every time instead of keeping answers.
        AtspiAccessible* desktop = atspi_get_desktop(0);
        atspi_accessible_set_cache_mask(desktop, ATSPI_CACHE_NONE);
        g_object_unref(desktop);
        return true;
    }();
    (void)started;
}

Accessible waitFor(const std::function<Accessible()>& found, std::chrono::milliseconds timeout) {
    const auto until = std::chrono::steady_clock::now() + timeout;
    do {
        if (Accessible result = found()) return result;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < until);
    return {};
}

Accessible waitForApplication(const std::string& name, std::chrono::milliseconds timeout) {
    initAtspi();
    return waitFor(
        [&]() -> Accessible {
            const Accessible desktop(atspi_get_desktop(0));
            for (const Accessible& app : desktop.children()) {
                if (app.role() == "application" && app.name() == name && !app.children().empty()) return app;
            }
            return {};
        },
        timeout);
}

}  // namespace e2e
