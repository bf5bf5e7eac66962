; args: --output smt2
; let and define-fun keep terms shared; every node used twice is printed once.
(set-logic QF_NRA)
(declare-fun x () Real)
(declare-fun y () Real)
(define-fun sq ((t Real)) Real (* t t))
(define-fun norm () Real (+ (sq x) (sq y)))
(assert (let ((e (+ (* x x) x))) (let ((e (+ (* e e) e))) (< e (+ e norm 1)))))
(assert (<= norm 4))
(assert (> (* norm y) 1))
(assert (let ((x y) (y x)) (> (- x y) 0)))
(assert (let ((s (sin (+ x y)))) (> (* s s) (+ s 1))))
(check-sat)
