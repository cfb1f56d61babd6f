// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <algorithm>
#include <cstddef>
#include <vector>

class QLabel;
class QLineEdit;
class QWidget;

// What every tool's form is made of: captions that name their control, fields, and fields that
// compute one another.
namespace tools {

// A caption whose access key moves the focus to `buddy`, which it also names for a screen reader.
QLabel* labelFor(QWidget* parent, const char* name, const QString& caption, QWidget* buddy);
QLabel* labelFor(QWidget* parent, const QString& name, const QString& caption, QWidget* buddy);

// A one-line field with its name and the name a screen reader says, showing `placeholder` while
// it is empty; with a `widthSample`, never narrower than that text and the field's frame.
QLineEdit* field(QWidget* parent, const char* name, const QString& accessibleName, const QString& placeholder = {},
                 const QString& widthSample = {});

// Fields that compute one another (Ohm's law's V, I, R and P): the `given` fields typed last are
// what the others are computed from, so typing into another makes the oldest computed again. An
// emptied field stops being given. While the computed values are written in, nothing counts as
// typing.
template <class Key, std::size_t given>
class LastTyped {
public:
    // A field was typed into, or `emptied`.
    void typed(Key key, bool emptied)
    {
        order_.erase(std::remove(order_.begin(), order_.end(), key), order_.end());
        if (emptied)
            return;
        order_.push_back(key);
        if (order_.size() > given)
            order_.erase(order_.begin());
    }

    // The given fields, the older first.
    const std::vector<Key>& order() const { return order_; }
    bool isGiven(Key key) const { return std::find(order_.begin(), order_.end(), key) != order_.end(); }
    bool complete() const { return order_.size() == given; }

    // Held while computed values are written in.
    class Filling {
    public:
        explicit Filling(bool& flag)
            : flag_(flag)
        {
            flag_ = true; // NOLINT(cppcoreguidelines-prefer-member-initializer): sets what flag_ refers to
        }
        ~Filling() { flag_ = false; }
        Filling(const Filling&) = delete;
        Filling& operator=(const Filling&) = delete;
        Filling(Filling&&) = delete;
        Filling& operator=(Filling&&) = delete;

    private:
        bool& flag_;
    };
    [[nodiscard]] Filling filling() { return Filling(filling_); }
    bool isFilling() const { return filling_; }

private:
    std::vector<Key> order_;
    bool filling_ = false;
};

} // namespace tools
