// OK in the form dialog writes every field of the form's image with the number the dialog
// showed, into the digit positions only, whatever bytes the image held before.
#include "model/field_codecs.h"
#include "pagedata/form_editor.h"
#include "pagedata/form_image_fields.h"
#include "variants/kbs18r/kbs18r_variant.h"
#include "variants/kbs18t/kbs18t_variant.h"
#include "variants/kbs62d/kbs62d_variant.h"

#include <QtTest>

#include <random>

using namespace kbs;

class TestFormOkWritesShown : public QObject {
    Q_OBJECT
private slots:
    void everyFieldGetsTheNumberShown()
    {
        std::mt19937 random(21);
        int written = 0;
        for (const ModelVariant* variant : {&kbs18r::variant(), &kbs62d::variant(), &kbs18t::variant()}) {
            const FormDialogTable& table = *variant->formDialog;
            for (const FormImageEntry& form : table.forms) {
                const FieldSpec& field = formBlockField(*variant, form);
                for (int round = 0; round < 30; ++round) {
                    SettingsBlock block(variant->factoryDefaults);
                    std::string image = readBytes(block, field.offset, field.width);
                    for (char& byte : image) // now and then an odd byte
                        byte = random() % 12 == 0 ? ":;,/"[random() % 4] : byte;
                    writeBytes(block, field.offset, image);
                    FormEditor editor(*variant);
                    editor.loadImages(block);
                    editor.setFormName(form.formName);
                    editor.parseForm(form.formName);

                    std::string expected = image;
                    for (std::size_t box = 0; box < table.boxes.size(); ++box) {
                        const FormFieldSpec* at = imageField(*field.image, table.boxes[box].field);
                        const std::string& shown = editor.text(box);
                        if (at != nullptr && shown.size() <= at->width)
                            expected.replace(at->offset, at->width,
                                             std::string(at->width - shown.size(), '0') + shown);
                    }
                    if (!editor.ok() && ++written) // else a notice: the dialog stays open
                        QCOMPARE(QByteArray::fromStdString(std::string(editor.image(form.formName))),
                                 QByteArray::fromStdString(expected));
                }
            }
        }
        QVERIFY(written > 100);
    }
};

QTEST_GUILESS_MAIN(TestFormOkWritesShown)
#include "tst_form_ok_writes_shown.moc"
