// Effect batches and coloured geometry: vertex colour times texture.
void main() { writeCommon(objectPosition()); }
