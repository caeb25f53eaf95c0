// Bright effects: vertex colour times texture, pushed above white for the bloom.
void main() { writeCommon(objectPosition()); }
