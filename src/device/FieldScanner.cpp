#include "device/FieldScanner.h"

bool FieldScanner::token(std::string_view&) {
    return false;
}
bool FieldScanner::decimal(int32_t&) {
    return false;
}
bool FieldScanner::anyBase(int32_t&) {
    return false;
}
bool FieldScanner::real(double&) {
    return false;
}
bool FieldScanner::atEnd() {
    return true;
}
bool FieldScanner::integer(int32_t&, bool) {
    return false;
}
int32_t leadingInteger(std::string_view) {
    return 0;
}
double leadingReal(std::string_view) {
    return 0.0;
}
