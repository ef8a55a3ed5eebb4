// The base of every object an ObjectArray can hold: it copies itself on request.
#ifndef QUIVERDESK_MODEL_CLONEABLE_H
#define QUIVERDESK_MODEL_CLONEABLE_H

class Cloneable {
public:
    virtual ~Cloneable() {}
    // A new object of the same class, or null when memory ran out. What is copied is the class's choice.
    virtual Cloneable* Clone() const = 0;
};

#endif
