// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <vector>

// Screens are declared as data, in twips from the top-left of the client area, in the
// order their controls are created; one builder (builder.h) turns a declaration into
// widgets. Keeping the numbers as data makes each screen readable against its layout
// table and checkable by tests.
namespace shell {

constexpr int twipsPerPixel = 15; // 1440 twips per logical inch at 96 logical dpi
constexpr int toPixels(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

struct FontSpec {
    const char* family = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
};

enum class Kind { Button, Label, TextBox, ComboBox, PictureBox, OptionButton, Line };

struct ControlDecl {
    Kind kind = Kind::Label;
    const char* name = "";
    const char* caption = "";
    int left = 0, top = 0, width = 0, height = 0; // a Line uses them as x1, y1, x2, y2
    int tabIndex = -1;
    const FontSpec* font = nullptr; // nullptr: the screen's font
    const char* picture = nullptr;  // Qt resource path of a PictureBox's picture
    const char* description = "";   // what a picture shows, for screen readers
    const char* buddy = nullptr;    // the field a Label names
    std::vector<const char*> items; // a ComboBox's list

    ControlDecl withFont(const FontSpec& f) const
    {
        auto c = *this;
        c.font = &f;
        return c;
    }
    ControlDecl withBuddy(const char* field) const
    {
        auto c = *this;
        c.buddy = field;
        return c;
    }
};

struct MenuItemDecl {
    const char* name = ""; // none: a separator
    const char* caption = "";
};

struct MenuDecl {
    const char* name = "";
    const char* caption;
    std::vector<MenuItemDecl> items;
};

struct ScreenDecl {
    const char* name = "";
    const char* caption;
    int width, height; // client area, below the menu bar when there is one
    std::vector<ControlDecl> controls;
    std::vector<MenuDecl> menus = {};
    FontSpec font = {};
    const char* resultLabel = nullptr; // cleared when a handler fails
};

inline ControlDecl control(Kind kind, const char* name, const char* caption, int l, int t, int w, int h, int tab)
{
    ControlDecl c{};
    c.kind = kind;
    c.name = name;
    c.caption = caption;
    c.left = l;
    c.top = t;
    c.width = w;
    c.height = h;
    c.tabIndex = tab;
    return c;
}
inline ControlDecl button(const char* name, const char* caption, int l, int t, int w, int h, int tab)
{
    return control(Kind::Button, name, caption, l, t, w, h, tab);
}
inline ControlDecl label(const char* name, const char* caption, int l, int t, int w, int h, int tab)
{
    return control(Kind::Label, name, caption, l, t, w, h, tab);
}
inline ControlDecl textBox(const char* name, int l, int t, int w, int h, int tab)
{
    return control(Kind::TextBox, name, "", l, t, w, h, tab);
}
inline ControlDecl comboBox(const char* name, int l, int t, int w, int h, int tab,
                            std::initializer_list<const char*> items)
{
    ControlDecl c = control(Kind::ComboBox, name, "", l, t, w, h, tab);
    c.items = items;
    return c;
}
inline ControlDecl pictureBox(const char* name, int l, int t, int w, int h, int tab, const char* picture,
                              const char* description)
{
    ControlDecl c = control(Kind::PictureBox, name, "", l, t, w, h, tab);
    c.picture = picture;
    c.description = description;
    return c;
}
inline ControlDecl optionButton(const char* name, const char* caption, int l, int t, int w, int h, int tab)
{
    return control(Kind::OptionButton, name, caption, l, t, w, h, tab);
}
// A line from (x1, y1) to (x2, y2); it takes no focus.
inline ControlDecl line(const char* name, int x1, int y1, int x2, int y2)
{
    return control(Kind::Line, name, "", x1, y1, x2, y2, -1);
}

// The pictures, as Qt resource paths.
namespace pictures {
inline constexpr const char* mainEmblem = ":/assets/main.png";
inline constexpr const char* seriesEmblem = ":/assets/series.png";
inline constexpr const char* parallelEmblem = ":/assets/parallel.png";
inline constexpr const char* resistorEmblem = ":/assets/resistor.png";
inline constexpr const char* transistorEmblem = ":/assets/transistor.png";
inline constexpr const char* capacitorEmblem = ":/assets/capacitor.png";
inline constexpr const char* to5 = ":/assets/to5.png";
inline constexpr const char* to92 = ":/assets/to92.png";
inline constexpr const char* to220 = ":/assets/to220.png";
inline constexpr const char* ceramic = ":/assets/ceramic.png";
inline constexpr const char* electrolytic = ":/assets/electrolytic.png";
inline constexpr const char* tantalum = ":/assets/tantalum.png";
} // namespace pictures

} // namespace shell
