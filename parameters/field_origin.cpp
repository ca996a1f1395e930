#include "parameters/field_origin.h"

bool FieldOrigin::writeNeedsQuestion() const {
    return source_ == FieldSource::Placeholders || source_ == FieldSource::EarlierController;
}

void FieldOrigin::newConnection() {
    if (source_ == FieldSource::ThisController)
        source_ = FieldSource::EarlierController;
}
