#include "name_skeleton.h"

#include <memory>

#include <unicode/uspoof.h>

namespace {
struct CheckerClose {
    void operator()(USpoofChecker* checker) const { uspoof_close(checker); }
};

// Made once; asking it for skeletons changes nothing in it, so every thread may share it.
const USpoofChecker* checker()
{
    static const std::unique_ptr<USpoofChecker, CheckerClose> made = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<USpoofChecker, CheckerClose> opened(uspoof_open(&status));
        return U_SUCCESS(status) ? std::move(opened) : nullptr;
    }();
    return made.get();
}
} // namespace

QString NameSkeleton::of(const QString& text)
{
    // Compatibility forms ("＜", "２") are left out of the confusable tables:
    // they are folded into their plain letters first.
    const QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    const USpoofChecker* sc = checker();
    if (!sc || folded.isEmpty())
        return folded;
    const auto* source = reinterpret_cast<const UChar*>(folded.utf16());
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uspoof_getSkeleton(sc, 0, source, int32_t(folded.size()), nullptr, 0, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status))
        return folded;
    QString skeleton(length, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    uspoof_getSkeleton(sc, 0, source, int32_t(folded.size()), reinterpret_cast<UChar*>(skeleton.data()), length,
                       &status);
    return U_SUCCESS(status) ? skeleton : folded;
}
