#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace ledglyph {

// Why something could not be done, as a message for the user.
struct Failure {
    QString message;
};

// A value, or the Failure that kept it from being made. A function returns
// `Failure{...}` or its value; the caller asks ok() before value().
template <typename T>
class Result {
public:
    Result(T value) : m_content(std::move(value)) {}
    Result(Failure failure) : m_content(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<T>(m_content); }
    const T &value() const & { return std::get<T>(m_content); }
    T &&value() && { return std::get<T>(std::move(m_content)); }
    const QString &error() const { return std::get<Failure>(m_content).message; }

private:
    std::variant<T, Failure> m_content;
};

} // namespace ledglyph
