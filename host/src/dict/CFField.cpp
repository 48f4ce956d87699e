// A metadata field.
#include "dict/CFField.h"

CFField::CFField(const std::string& name, int fieldType, int storageType, int roleType)
    : fName(name), fFieldType(fieldType), fStorageType(storageType), fRoleType(roleType) {}
