#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// An error as a value: the text is what the operator is finally shown.
struct Error {
    QString text;
};

// The outcome of an operation inside the core: a value or an Error. Windows turn
// errors into messages; nothing in the core shows a message itself.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<T>(m_state); }
    T &value() & { return std::get<T>(m_state); }
    T &&value() && { return std::get<T>(std::move(m_state)); }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

    const Error &error() const { return std::get<Error>(m_state); }
    QString errorText() const { return ok() ? QString() : error().text; }

private:
    std::variant<T, Error> m_state;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)) {}

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error &error() const { return *m_error; }
    QString errorText() const { return ok() ? QString() : m_error->text; }

private:
    std::optional<Error> m_error;
};

using Status = Result<void>;
