// Cut-out particles: vertex colour times texture with a hard edge.
void main() { writeCommon(objectPosition()); }
