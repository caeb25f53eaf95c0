// Menu geometry in world space: texture times vertex colour.
void main() { writeCommon(objectPosition()); }
