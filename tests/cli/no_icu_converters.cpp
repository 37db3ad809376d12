// Preloaded (LD_PRELOAD) into a program under test, this library makes
// opening an ICU converter fail, as in a Qt built without ICU (Qt's official
// Windows builds): Qt then has no GBK and no GB2312 converter. Qt opens its
// converters with ucnv_open alone; ICU's header gives the function the
// installed version's name (ucnv_open_72).

#include <unicode/ucnv.h>

U_CAPI UConverter *U_EXPORT2 ucnv_open(const char *, UErrorCode *error)
{
    if (error && U_SUCCESS(*error))
        *error = U_FILE_ACCESS_ERROR;
    return nullptr;
}
