#pragma once

#include <QString>
#include <exception>

namespace velkaram {

// The error every part of the program raises: a number and an Arabic
// description, shown as they are by the default error report.
class RuntimeError : public std::exception {
public:
    RuntimeError(int number, QString description)
        : number_(number), description_(std::move(description)), what_(description_.toUtf8()) {}

    int number() const { return number_; }
    const QString &description() const { return description_; }
    const char *what() const noexcept override { return what_.constData(); }

private:
    int number_;
    QString description_;
    QByteArray what_;
};

// Error numbers, after the database engine the program was first written for.
namespace err {
inline constexpr int FileNotFound = 3024;
inline constexpr int UnrecognizedDatabase = 3343;
inline constexpr int TableNotFound = 3078;
inline constexpr int ItemNotFound = 3265;
inline constexpr int NoCurrentRecord = 3021;
inline constexpr int ObjectClosed = 3704;
inline constexpr int ObjectOpen = 3705;
inline constexpr int ProviderNotFound = 3706;
inline constexpr int SyntaxError = 3075;
inline constexpr int StatementRefused = 3051;
inline constexpr int SkinFileNotFound = 53;
inline constexpr int OutOfMemory = 7;
inline constexpr int QueryTimeout = 3234;
inline constexpr int InternalError = 51;
inline constexpr int GridCellOutOfRange = 381;
inline constexpr int InvalidRowCount = 30009;
inline constexpr int InvalidColumnCount = 30010;
} // namespace err

// A file or field name inside an Arabic message, in quotes, isolated so that
// a path such as "/tmp/kelvra.mdb" keeps its own left-to-right order.
inline QString quotedName(const QString &name)
{
    return QStringLiteral("'\u2068") + name + QStringLiteral("\u2069'");
}

} // namespace velkaram
