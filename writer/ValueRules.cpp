// Which rule gives a variable its initial value.
#include "writer/ValueRules.h"

#include "writer/Relations.h"
#include "writer/SmalltalkSyntax.h"

namespace {

ValueRule MultiplicityRule(const PElemTable& multiplicity) {
  if (IsMany(multiplicity)) return ValueRule::Collection;
  return IsOptional(multiplicity) ? ValueRule::Optional : ValueRule::Mandatory;
}

}  // namespace

// A default in another language's syntax would break the whole method.
ValueRule AttributeValueRule(const PMemberVar& attribute) {
  const std::string& defaultText = attribute->GetDefault();
  if (!defaultText.empty() && IsSmalltalkExpression(defaultText)) return ValueRule::Default;
  return MultiplicityRule(attribute->GetMultiplicity());
}

ValueRule LinkValueRule(const PRelType& relation) {
  return MultiplicityRule(HeadMultiplicity(relation));
}
