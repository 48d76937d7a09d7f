// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace vandrix {

// The outcome of a step that may fail: a value, or a plain description of why not.
template <typename T>
class Result {
public:
    static Result success(T value) { return Result(std::move(value), QString()); }
    static Result failure(QString error) { return Result(std::nullopt, std::move(error)); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    // The value itself, for a value that cannot be copied; the result holds nothing after.
    T take() { return std::move(*value_); }
    const QString& error() const { return error_; }

private:
    Result(std::optional<T> value, QString error)
        : value_(std::move(value)), error_(std::move(error)) {}
    std::optional<T> value_;
    QString error_;
};

// The outcome of a step that brings no value: done, or why not.
template <>
class Result<void> {
public:
    static Result success() { return {true, QString()}; }
    static Result failure(QString error) { return {false, std::move(error)}; }

    bool ok() const { return ok_; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return error_; }

private:
    Result(bool ok, QString error) : ok_(ok), error_(std::move(error)) {}
    bool ok_;
    QString error_;
};

using Status = Result<void>;

}  // namespace vandrix
