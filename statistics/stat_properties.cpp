#include "statistics/stat_properties.h"

void QvStatProperties::Copy(const QvStatProperties& other) {
    Label1 = other.Label1;
    col1 = other.col1;
    col2 = other.col2;
    RegType = other.RegType;
}
