#pragma once

// The one way a call says that it failed: it returns a Result. Result<T> holds
// a value or the Failure (a message for the user) that kept it from being
// made; Result<void> holds nothing or the Failure. Where the caller words the
// message itself from what went wrong, the error is a type of its own:
// Result<T, E>.

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace ledglyph {

// Why something could not be done, as a message for the user.
struct Failure {
    QString message;
};

template <typename T, typename E = Failure>
class Result {
public:
    Result(T value) : m_content(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : m_content(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_content.index() == 0; }
    const T &value() const & { return std::get<0>(m_content); }
    T &&value() && { return std::get<0>(std::move(m_content)); }
    const E &error() const { return std::get<1>(m_content); }

private:
    std::variant<T, E> m_content;
};

template <typename E>
class Result<void, E> {
public:
    Result() = default; // success
    Result(E error) : m_error(std::move(error)) {}

    bool ok() const { return !m_error; }
    const E &error() const { return *m_error; }

private:
    std::optional<E> m_error;
};

// Success or the Failure, for calls that return no value.
using Status = Result<void>;

} // namespace ledglyph
