// Feeds arbitrary bytes to the body file reader and the splitter that takes a body apart into
// its two panes. The parts must join back to what was read, and a body written and read again
// must split the same way.
#include "FuzzChecks.h"
#include "DataStore.h"
#include "TemplateBody.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [folder, failures] = SharedFuzzFolder();

    QFile file(folder + QStringLiteral("/Data/TMP_key1"));
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    file.close();

    DataStore store(folder);
    failures.count = 0;
    const QString read = store.readBody(QStringLiteral("TMP_key1"));
    Check(failures.count == 0);
    const QString stored = StoredBodyText(read);
    const TemplateBody body = SplitBody(stored);
    Check(!body.templateRichText.contains(kPaneSeparator) && !body.resultRichText.contains(kPaneSeparator));
    if (body.complete)
        Check(stored.startsWith(JoinBody(body.templateRichText, body.resultRichText)));
    else
        Check(body.templateRichText == stored && body.resultRichText.isEmpty());

    // What was read, written back, reads and splits the same.
    Check(store.writeBody(QStringLiteral("TMP_key2"), stored));
    const QString again = StoredBodyText(store.readBody(QStringLiteral("TMP_key2")));
    Check(failures.count == 0 && again == stored);
    const TemplateBody second = SplitBody(again);
    Check(second.complete == body.complete && second.templateRichText == body.templateRichText
          && second.resultRichText == body.resultRichText);
    return 0;
}
