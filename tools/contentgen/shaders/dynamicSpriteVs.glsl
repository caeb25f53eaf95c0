// Sprites whose texture is redrawn by the program (text, pictures).
void main() { writeCommon(objectPosition()); }
