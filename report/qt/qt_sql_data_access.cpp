#include "report/qt/qt_sql_data_access.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QTime>

#include "report/core/base/errors.h"
#include "report/qt/qt_text.h"

namespace report {
namespace {

const QDate kDayZero(1899, 12, 30);

// Days since 1899-12-30, the time of day as the fraction. Before that day the fraction counts
// away from zero too (6 a.m. on 1899-12-29 is -1.25), as the engine's date-times do.
double DaysOf(const QDate& date, const QTime& time) {
    const double days = static_cast<double>(kDayZero.daysTo(date));
    const double fraction = time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0.0;
    return days < 0 ? days - fraction : days + fraction;
}

}  // namespace

QtSqlDataAccess::QtSqlDataAccess(std::string name, QString connection, QString sql)
    : DataAccess(std::move(name)), connection_(std::move(connection)), sql_(std::move(sql)) {}

QtSqlDataAccess::~QtSqlDataAccess() = default;

void QtSqlDataAccess::Open() {
    query_.emplace(QSqlDatabase::database(connection_));
    query_->setForwardOnly(false);
    if (!query_->exec(sql_)) {
        const std::string message = FromQString(query_->lastError().text());
        query_.reset();
        active_ = false;
        throw EngineError(message);
    }
    active_ = true;
    First();
}

void QtSqlDataAccess::Close() {
    if (query_) query_->finish();
    query_.reset();
    active_ = false;
    eof_ = true;
}

void QtSqlDataAccess::First() {
    if (!active_) return;
    eof_ = !query_->first();
}

void QtSqlDataAccess::Next() {
    if (!active_ || eof_) return;
    if (!query_->next()) {
        // Past the last record: end of data, the cursor stays on the last one.
        eof_ = true;
        query_->last();
    }
}

void QtSqlDataAccess::Prior() {
    if (!active_) return;
    if (!query_->previous()) query_->first();
    eof_ = !query_->isValid();
}

DataAccess::Bookmark QtSqlDataAccess::GetBookmark() const {
    return active_ ? query_->at() : -1;
}

void QtSqlDataAccess::GotoBookmark(Bookmark bookmark) {
    if (!active_) return;
    eof_ = !query_->seek(static_cast<int>(bookmark));
}

std::vector<std::string> QtSqlDataAccess::FieldNames() const {
    std::vector<std::string> names;
    if (!active_) return names;
    const QSqlRecord record = query_->record();
    for (int i = 0; i < record.count(); ++i)
        names.push_back(FromQString(record.fieldName(i)));
    return names;
}

FieldKind QtSqlDataAccess::KindOf(std::string_view field) const {
    if (auto it = declaredKinds_.find(std::string(field)); it != declaredKinds_.end())
        return it->second;
    if (!active_) return FieldKind::Other;
    const QSqlField column = query_->record().field(ToQString(field));
    switch (column.metaType().id()) {
        case QMetaType::Short:
        case QMetaType::SChar:
            return FieldKind::SmallInt;
        case QMetaType::UShort:
        case QMetaType::UChar:
            return FieldKind::Word;
        case QMetaType::Int:
        case QMetaType::UInt:
            return FieldKind::Integer;
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return FieldKind::LargeInt;
        case QMetaType::Double:
        case QMetaType::Float:
            return FieldKind::Float;
        case QMetaType::Bool:
            return FieldKind::Boolean;
        case QMetaType::QDate:
            return FieldKind::Date;
        case QMetaType::QTime:
            return FieldKind::Time;
        case QMetaType::QDateTime:
            return FieldKind::DateTime;
        case QMetaType::QString:
        case QMetaType::QChar:
            return FieldKind::String;
        default:
            return FieldKind::Other;
    }
}

QVariant QtSqlDataAccess::Value(std::string_view field) const {
    if (!active_ || !query_->isValid()) return QVariant();
    return query_->value(ToQString(field));
}

std::string QtSqlDataAccess::DisplayText(std::string_view field) const {
    const QVariant value = Value(field);
    return value.isNull() ? std::string() : FromQString(value.toString());
}

Variant QtSqlDataAccess::RawValue(std::string_view field) const {
    const QVariant value = Value(field);
    if (!value.isValid() || value.isNull()) return Variant::Null();
    switch (KindOf(field)) {
        case FieldKind::SmallInt:
        case FieldKind::Word:
        case FieldKind::Integer:
            return Variant::Int32(value.toInt());
        case FieldKind::LargeInt:
            return Variant::Int64(value.toLongLong());
        case FieldKind::Float:
            return Variant::Double(value.toDouble());
        case FieldKind::Currency:
            return Variant::Currency(value.toDouble());
        case FieldKind::Boolean:
            return Variant::Boolean(value.toBool());
        case FieldKind::Date:
        case FieldKind::DateTime: {
            const QDateTime moment = value.typeId() == QMetaType::QDate
                                         ? value.toDate().startOfDay()
                                         : value.toDateTime();
            if (moment.isValid()) return Variant::DateTime(DaysOf(moment.date(), moment.time()));
            const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
            if (date.isValid()) return Variant::DateTime(DaysOf(date, QTime()));
            return Variant::String(FromQString(value.toString()));
        }
        case FieldKind::Time: {
            const QTime time = value.typeId() == QMetaType::QTime
                                   ? value.toTime()
                                   : QTime::fromString(value.toString(), Qt::ISODate);
            if (time.isValid()) return Variant::DateTime(time.msecsSinceStartOfDay() / 86400000.0);
            return Variant::String(FromQString(value.toString()));
        }
        case FieldKind::String:
            return Variant::String(FromQString(value.toString()));
        case FieldKind::Other:
            break;
    }
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        return Variant::String(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
    }
    return Variant::String(FromQString(value.toString()));
}

}  // namespace report
