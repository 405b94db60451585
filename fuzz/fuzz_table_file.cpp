// Feeds arbitrary bytes to the table file reader. A file read without complaint must come back
// the same after its records are written into a fresh file and read again.
#include "FuzzChecks.h"
#include "DataStore.h"
#include "Windows1252.h"

#include <QFile>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

QList<QVariantList> Records(Recordset table)
{
    QList<QVariantList> records;
    for (table.moveFirst(); !table.atEnd(); table.moveNext()) {
        QVariantList record;
        for (qint32 f = 0; f < table.fieldCount(); ++f)
            record << table.valueOf(f);
        records << record;
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [folder, failures] = SharedFuzzFolder();

    DataStore store(folder);
    WriteFile(folder + QStringLiteral("/Data/Read.app"),
              QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    failures.count = 0;
    const std::optional<Recordset> table = store.readTable(QStringLiteral("Data\\Read.app"));
    if (!table) {
        Check(failures.count == 1);
        return 0;
    }
    // Memory stays in proportion to the file, whatever its shape.
    Check(table->valueCount() <= 3 * (qsizetype(size) + 1));
    if (failures.count > 0 || table->fieldCount() == 0)
        return 0;
    // Read without complaint: every record is whole.
    Check(table->valueCount() % table->fieldCount() == 0);

    const QString header = table->fieldNameList().join(u'|');
    // An empty header reads as no header at all until records follow it.
    if (header.isEmpty())
        return 0;
    const std::optional<QByteArray> headerBytes = Windows1252::encode(header);
    Check(headerBytes.has_value());
    WriteFile(folder + QStringLiteral("/Data/Write.app"), '"' + *headerBytes + "\"\r\n");
    const QList<QVariantList> records = Records(*table);
    const std::optional<Recordset> back = store.insertRecords(QStringLiteral("Data\\Write.app"), records);
    if (Windows1252::looksLikeUtf8(*headerBytes)) {
        // Taken for a file another program saved as UTF-8, and left as it is.
        Check(!back && failures.count == 1);
        return 0;
    }
    if (!back) {
        // The one record a table file cannot hold: a single field with an empty value.
        Check(table->fieldCount() == 1 && failures.count == 1);
        return 0;
    }
    Check(failures.count == 0);
    Check(back->fieldNameList() == table->fieldNameList());
    Check(Records(*back) == records);
    return 0;
}
