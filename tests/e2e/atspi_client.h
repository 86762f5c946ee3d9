// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader sees of a program: its objects on the accessibility
// bus (AT-SPI), read and driven through libatspi. Nothing is cached, so every
// question goes to the program and sees it as it is now.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

typedef struct _AtspiAccessible AtspiAccessible;
typedef struct _AtspiEvent AtspiEvent;
typedef struct _AtspiEventListener AtspiEventListener;

namespace e2e {

class Accessible {
public:
    Accessible() = default;
    explicit Accessible(AtspiAccessible* object);  // takes the reference
    Accessible(const Accessible& other);
    Accessible& operator=(Accessible other);
    ~Accessible();

    explicit operator bool() const { return object_ != nullptr; }

    std::string role() const;  // "push button", "frame", ...
    std::string name() const;
    std::string description() const;
    bool showing() const;
    bool focusable() const;
    std::vector<Accessible> children() const;

    // The first object at or below this one that `match` accepts.
    Accessible find(const std::function<bool(const Accessible&)>& match) const;
    Accessible find(const std::string& role, const std::string& name) const;

    // The action a user gives with the object's default gesture ("Press").
    bool press() const;
    bool setText(const std::string& utf8) const;
    std::string text() const;

private:
    AtspiAccessible* object_ = nullptr;
};

// The new names that the program announces for its objects while this
// exists: what a screen reader would be told to read.
class NameChanges {
public:
    NameChanges();
    ~NameChanges();
    NameChanges(const NameChanges&) = delete;
    NameChanges& operator=(const NameChanges&) = delete;

    // Everything announced until now.
    const std::vector<std::string>& names();

private:
    static void record(AtspiEvent* event, void* self);
    AtspiEventListener* listener_;
    std::vector<std::string> names_;
};

// Starts the library once per process, on the session bus of the environment.
void initAtspi();

// The application with this name on the bus, once it has a window; empty
// when none appears in time.
Accessible waitForApplication(const std::string& name, std::chrono::milliseconds timeout);

// Polls until `found` returns a non-empty object or the time is up.
Accessible waitFor(const std::function<Accessible()>& found, std::chrono::milliseconds timeout);

}  // namespace e2e
