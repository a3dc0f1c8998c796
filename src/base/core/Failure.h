#pragma once

#include <QString>
#include <exception>

// A failed file, port or dialog operation, carrying the error number that the central
// error report tells apart. Thrown by the file and port layers and caught by the handler
// that started the operation, which passes it to ZentraleFehlerbehandlung and ends.
namespace ErrorNumber {
constexpr int DiskFull = 61;          // no room left for a file being written
constexpr int FileAccess = 75;        // write-protected file, bad path, unreadable file
constexpr int InvalidProperty = 380;  // the port rejects its settings string
constexpr int CannotCreate = 429;
constexpr int PortMissing = 8002;
constexpr int PortInUse = 8005;
constexpr int DialogCancelled = 32755;
}  // namespace ErrorNumber

class Failure : public std::exception {
public:
    Failure(int number, QString description = {})
        : m_number(number), m_description(std::move(description)) {}

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return "Quillex failure"; }

private:
    int m_number;
    QString m_description;
};
