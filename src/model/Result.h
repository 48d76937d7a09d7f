// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace vandrix {

// The outcome of a step that may fail: a value, or a plain description of why not. A step that
// checks several things may give one reason for each, in order (errors()); error() gives them
// one a line.
template <typename T>
class Result {
public:
    static Result success(T value) { return Result(std::move(value), {}); }
    static Result failure(QString error) { return Result(std::nullopt, {std::move(error)}); }
    static Result failure(QStringList errors) { return Result(std::nullopt, std::move(errors)); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    // The value itself, for a value that cannot be copied; the result holds nothing after.
    T take() { return std::move(*value_); }
    QString error() const { return errors_.join(QLatin1Char('\n')); }
    const QStringList& errors() const { return errors_; }

private:
    Result(std::optional<T> value, QStringList errors)
        : value_(std::move(value)), errors_(std::move(errors)) {}
    std::optional<T> value_;
    QStringList errors_;
};

// The outcome of a step that brings no value: done, or why not.
template <>
class Result<void> {
public:
    static Result success() { return {true, {}}; }
    static Result failure(QString error) { return {false, {std::move(error)}}; }
    static Result failure(QStringList errors) { return {false, std::move(errors)}; }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok(); }
    QString error() const { return errors_.join(QLatin1Char('\n')); }
    const QStringList& errors() const { return errors_; }

private:
    Result(bool ok, QStringList errors) : ok_(ok), errors_(std::move(errors)) {}
    bool ok_;
    QStringList errors_;
};

using Status = Result<void>;

}  // namespace vandrix
