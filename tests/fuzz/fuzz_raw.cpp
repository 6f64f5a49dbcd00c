// The raw text reader and writer on arbitrary bytes. The first byte chooses the layout that the
// properties form is given (delimiters and fields); the rest is the file.
#include "formats/clsFileRAWFrm1.h"
#include "tests/fuzz/FuzzHost.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <vector>

namespace {
// Field orders to choose from; the last selects none, which the form must refuse.
const std::vector<std::vector<RawField>> kOrders = {{rfTimeIn, rfTimeOut, rfText},
                                                    {rfText, rfTimeIn, rfTimeOut},
                                                    {rfText},
                                                    {rfTimeIn, rfText},
                                                    {rfTimeOut, rfTimeIn, rfText},
                                                    {rfText, rfTimeOut},
                                                    {rfTimeIn, rfTimeOut},
                                                    {}};

void selectFields(clsFileRAWFrm1* f, const std::vector<RawField>& order) {
    while (f->lstSel->count() > 0) f->lstFields->addItem(f->lstSel->takeItem(0));
    for (RawField want : order) {
        for (int i = 0; i < f->lstFields->count(); ++i) {
            if (f->lstFields->item(i)->data(Qt::UserRole).toInt() == want) {
                f->lstSel->addItem(f->lstFields->takeItem(i));
                break;
            }
        }
    }
}

void layOut(QDialog* d, unsigned char choice) {
    auto* f = qobject_cast<clsFileRAWFrm1*>(d);
    fuzz::Check(f != nullptr, "the raw text form is shown");
    // Six delimiter options per group; option 2 is "Other", given a two-character text
    // that no time text holds (the form refuses one that a time could contain).
    const int fieldOpt = choice % 6, recordOpt = (choice / 6) % 6;
    for (int g = 0; g < 2; ++g) f->txtDel[g]->setText(QStringLiteral("||"));
    f->optDel[fieldOpt]->setChecked(true);
    f->optDel[6 + recordOpt]->setChecked(true);
    selectFields(f, kOrders[(choice / 36) % kOrders.size()]);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const unsigned char choice = data[0];
    fuzz::SetFormFill([choice](QDialog* d) { layOut(d, choice); });
    fuzz::RoundTrip(FileType::RAW, QStringLiteral("txt"), fuzz::Bytes(data + 1, size - 1));
    fuzz::SetFormFill({});
    return 0;
}
