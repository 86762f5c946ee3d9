// SPDX-License-Identifier: GPL-3.0-or-later
// A window built from its design: created hidden with all its controls, which
// the program looks up by name. A missing name or a wrong type is a
// programming error and throws.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <typeinfo>

#include "runtime/controls.h"
#include "runtime/design.h"

class QWidget;

namespace rt {

class Window {
public:
    explicit Window(const WindowDesign& design);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const WindowDesign& design() const { return design_; }
    QWidget* widget() const { return widget_; }

    Control* find(std::string_view name) const;

    template <class T>
    T& get(std::string_view name) const {
        Control* control = find(name);
        if (control == nullptr)
            throw std::logic_error("window " + std::string(design_.name) + " has no control " + std::string(name));
        T* typed = dynamic_cast<T*>(control);
        if (typed == nullptr)
            throw std::logic_error("control " + std::string(name) + " is not a " + typeid(T).name());
        return *typed;
    }

    // Places the window's outer rectangle centred on its screen:
    // ((screen - outer) / 2) in each direction, remainders dropped. Under
    // Wayland the compositor places windows and this does nothing.
    void centre();

private:
    WindowDesign design_;
    QWidget* widget_;
    std::map<std::string, std::unique_ptr<Control>, std::less<>> controls_;
};

}  // namespace rt
