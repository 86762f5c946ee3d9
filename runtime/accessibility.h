// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the run time only: what assistive tools (screen readers over AT-SPI)
// learn about the widgets the toolkit cannot describe by itself: designed
// windows are frames named by their captions, hand-drawn labels are static
// text, the maker's link is a link with its address that can be pressed, and
// an edit box placed wholly above or left of its parent is marked off-screen,
// so that tools skip it although the Tab key still visits it.
#pragma once

class QWidget;

namespace rt {

// Marks a box before anything can describe it: the toolkit may be asked
// about a widget while it is still being built, before it has its place.
void markOffscreen(QWidget* widget);

// Tells assistive tools that the control's name (a label's caption) changed.
void announceNameChange(QWidget* widget);

// Once per process; later calls do nothing.
void installAccessibility();

}  // namespace rt
